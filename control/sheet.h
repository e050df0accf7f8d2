// The modal sheet the Properties verb opens. It owns every page, holds the host's two
// interfaces for its lifetime, and decides at start-up whether the node's circuit pages (page
// set 1) are offered. The Node Information page swaps set 1 ("BL1") and set 2 ("BL2").
#pragma once

#include <array>
#include <memory>
#include <string>

#include "control/node_trace.h"
#include "control/page_classes.h"
#include "framework/property_sheet.h"
#include "hostaccess/com_ptr.h"
#include "nvdata/node_io.h"

class CSheet : public fw::CPropertySheet, public INodeLink, public ITabInView {
 public:
  CSheet(std::string caption, void* parent = nullptr, int firstPage = 0);
  ~CSheet() override;

  bool OnInitDialog() override;

  void AddPageSet1();
  void AddPageSet2();
  void RemovePageSet1();
  void RemovePageSet2();

  // The host's interfaces, seen through the trace of the node traffic when one is kept.
  INodeAccess* NodeWriter() const override { return trace_ ? trace_->Writer() : writer_.Get(); }
  INodeAccess2* NodeReader() const override { return trace_ ? trace_->Reader() : reader_.Get(); }

  // The tab in view as the trace names it: "Pump, BL1"; "-" while no page shows.
  std::string TabInView() const override;

  // Every page object, in member order (for tests and tools).
  std::array<fw::CPropertyPage*, 36> AllPages();

 private:
  using PageSet = std::array<fw::CPropertyPage*, 15>;
  PageSet Set1();
  PageSet Set2();
  void Connect();
  void StartUpHandshake();

  // The pages, constructed in this order and destroyed in the reverse order.
  CHD7_3PropPage page1_;
  CPage2PropPage page2_;
  CPage3PropPage page3_;
  CPage4PropPage page4_;
  CPage5PropPage page5_;
  CPage6PropPage page6_;
  CPage7PropPage page7_;
  CPage8PropPage page8_;
  CPage9PropPage page9_;
  CPage10PropPage page10_;
  CPage11PropPage page11_;
  CPage12PropPage page12_;
  CPage13PropPage page13_;
  CPage14PropPage page14_;
  CPage15PropPage page15_;
  CPage16PropPage page16_;
  CPage17PropPage page17_;
  CPage18PropPage page18_;
  CPage19PropPage page19_;
  CPage20PropPage page20_;
  CPage21PropPage page21_;
  CPage22PropPage page22_;
  CPage23PropPage page23_;
  CPage24PropPage page24_;
  CPage25PropPage page25_;
  CPage26PropPage page26_;
  CPage27PropPage page27_;
  CPage28PropPage page28_;
  CPage29PropPage page29_;
  CPage30PropPage page30_;
  CPage31PropPage page31_;
  CPage32PropPage page32_;
  CPage33PropPage page33_;
  CPage34PropPage page34_;
  CPage35PropPage page35_;
  CPage36PropPage page36_;

  // The host's interfaces, one reference each; the client site is borrowed from the control.
  ComPtr<INodeAccess> writer_;
  ComPtr<INodeAccess2> reader_;
  IUnknown* clientSite_ = nullptr;
  // While a trace is kept: in front of the interfaces and the platform.
  std::unique_ptr<NodeTrace> trace_;
};

// The control's Properties verb: records the control as the current one, runs the sheet
// captioned "HD7_3" modally and destroys it when it closes.
class IControlSite;
HRESULT RunPropertiesSheet(IControlSite* control);
