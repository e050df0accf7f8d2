// The modal sheet the Properties verb opens. It owns every page, holds the host's two
// interfaces for its lifetime, and decides at start-up whether the node's circuit pages (page
// set 1) are offered. The Node Information page swaps set 1 ("BL1") and set 2 ("BL2").
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "control/node_trace.h"
#include "framework/property_sheet.h"
#include "hostaccess/com_ptr.h"
#include "nvdata/node_io.h"
#include "pages/circuit/analog_valve_page.h"
#include "pages/circuit/antifrost_page.h"
#include "pages/circuit/exercise_valve_page.h"
#include "pages/circuit/extended_operation_page.h"
#include "pages/circuit/heating_curve_page.h"
#include "pages/circuit/night_lowering_page.h"
#include "pages/circuit/pid_page.h"
#include "pages/circuit/pump_page.h"
#include "pages/circuit/status_switch_page.h"
#include "pages/circuit/temperatures_page.h"
#include "pages/clock/pir_calendar_page.h"
#include "pages/clock/set_time_page.h"
#include "pages/clock/week_calendar_page.h"
#include "pages/node/import_export_page.h"
#include "pages/node/node_info_page.h"
#include "pages/node/plain_page.h"
#include "pages/plant/dewpoint_page.h"
#include "pages/plant/outdoor_page.h"
#include "pages/plant/pressure_page.h"
#include "settingsfile/node_files.h"

// One tab as the two page sets show it: the page of set 1 ("BL1") and of set 2 ("BL2"); the
// same page for the fixed and shared tabs, null where a set has no such tab.
struct SheetTab {
  const fw::CPropertyPage* set1;
  const fw::CPropertyPage* set2;
};

// Every page object of the sheet, constructed in this order and destroyed in the reverse order,
// and the page sets they make. The settings file layer does the Import / Export page's file work.
class SheetPages {
 public:
  using PageSet = std::array<fw::CPropertyPage*, 15>;
  PageSet Set(int set);  // 1 or 2
  std::array<fw::CPropertyPage*, 36> All();
  // The tabs of both page sets in the sheet's order: the fixed pages, then each page of set 1
  // with its twin of set 2 (circuit 2's CPage<n+1>PropPage for circuit 1's CPage<n>PropPage),
  // a page of one set alone where the other has none, after the tab before it.
  std::vector<SheetTab> Tabs();

  CHD7_3PropPage page1_;
  CPage2PropPage page2_{SettingsFiles()};
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
};

class CSheet : public fw::CPropertySheet, public INodeLink, public ITabInView, public IPageSets {
 public:
  CSheet(std::string caption, void* parent = nullptr, int firstPage = 0);
  ~CSheet() override;

  bool OnInitDialog() override;

  // The page set of circuit 1 or 2 in place of the other, as the Node Information page asks.
  void ShowPageSet(int set) override;

  // The host's interfaces, seen through the trace of the node traffic when one is kept.
  INodeAccess* NodeWriter() const override { return trace_ ? trace_->Writer() : writer_.Get(); }
  INodeAccess2* NodeReader() const override { return trace_ ? trace_->Reader() : reader_.Get(); }

  // The tab in view as the trace names it: "Pump, BL1"; "-" while no page shows.
  std::string TabInView() const override;

  // Every page object, in member order (for tests and tools).
  std::array<fw::CPropertyPage*, 36> AllPages() { return pages_.All(); }

 private:
  void Connect();
  void StartUpHandshake();

  SheetPages pages_;
  // The host's interfaces, one reference each, from the client site the control lends.
  ComPtr<INodeAccess> writer_;
  ComPtr<INodeAccess2> reader_;
  // While a trace is kept: in front of the interfaces and the platform.
  std::unique_ptr<NodeTrace> trace_;
};

// The control's Properties verb: records the control as the current one, runs the sheet
// captioned "HD7_3" modally and destroys it when it closes.
class IControlSite;
HRESULT RunPropertiesSheet(IControlSite* control);
