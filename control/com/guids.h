// The control's fixed identities: class, type library, dispatch and event interfaces, program ID.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace hd73 {

// {0E9CB421-B4C0-49DE-A454-80AD3DB1B310}
constexpr CLSID kClsidControl = {
    0x0E9CB421, 0xB4C0, 0x49DE, {0xA4, 0x54, 0x80, 0xAD, 0x3D, 0xB1, 0xB3, 0x10}};
// {DD43B166-32C0-435C-8119-207F2C2C07DD}
constexpr GUID kLibid = {
    0xDD43B166, 0x32C0, 0x435C, {0x81, 0x19, 0x20, 0x7F, 0x2C, 0x2C, 0x07, 0xDD}};
// {80025A9F-665B-421A-ACC2-0F0FE92E915E}: _DHD7_3
constexpr IID kDiidDispatch = {
    0x80025A9F, 0x665B, 0x421A, {0xAC, 0xC2, 0x0F, 0x0F, 0xE9, 0x2E, 0x91, 0x5E}};
// {17343A32-9242-46C5-9A3F-39C48B201AF9}: _DHD7_3Events
constexpr IID kDiidEvents = {
    0x17343A32, 0x9242, 0x46C5, {0x9A, 0x3F, 0x39, 0xC4, 0x8B, 0x20, 0x1A, 0xF9}};

constexpr WORD kTypeLibMajor = 1;
constexpr WORD kTypeLibMinor = 0;
constexpr const wchar_t* kProgId = L"HD7_3.HD7_3Ctrl.1";
// The node type the control serves, registered under the class key's "Node" subkey.
constexpr const wchar_t* kNodeProgramId = L"90 48 44 37 5F 33 42 2A";
constexpr const wchar_t* kNodeTestId = L"%1";
// OLEMISC_SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
// RECOMPOSEONRESIZE
constexpr DWORD kMiscStatus = 0x20191;
constexpr DISPID kDispidAboutBox = -552;
// Version written by the property exchange: major 1, minor 0.
constexpr DWORD kPersistVersion = 0x10000;

}  // namespace hd73
