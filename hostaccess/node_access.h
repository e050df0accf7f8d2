// The two interfaces the host tool offers on the control's client site. The layout is fixed by
// the host: slots 3 to 6 exist and are never called, ReadNv and WriteNv are slots 7 and 8 and
// GetNodeName is slot 9. Every call returns a status, 0 for success.
#pragma once

#include <cstdint>

#include "hostaccess/com_base.h"

// {3A77F5BC-66A3-4E40-B38F-F5497CEC317E}
constexpr IID IID_INodeAccess = {
    0x3A77F5BC, 0x66A3, 0x4E40, {0xB3, 0x8F, 0xF5, 0x49, 0x7C, 0xEC, 0x31, 0x7E}};
// {7CC68D1D-DBF8-4C48-B904-7A29A78A9522}
constexpr IID IID_INodeAccess2 = {
    0x7CC68D1D, 0xDBF8, 0x4C48, {0xB9, 0x04, 0x7A, 0x29, 0xA7, 0x8A, 0x95, 0x22}};

struct INodeAccess : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
  virtual int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) = 0;
  virtual int32_t STDMETHODCALLTYPE WriteNv(int32_t index, uint8_t* buffer, int32_t length) = 0;
};

struct INodeAccess2 : INodeAccess {
  virtual int32_t STDMETHODCALLTYPE GetNodeName(uint8_t* buffer, int32_t capacity) = 0;
};
