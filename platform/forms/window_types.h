#pragma once
// user32's scalar types and the message and command numbers the program uses.
#include <cstdint>

#include "platform/base/wintypes.h"

using HMENU = std::uint32_t;
using WPARAM = std::uint32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
  LONG x;
  LONG y;
};

enum : UINT {
  WM_NULL = 0x0000,
  WM_CLOSE = 0x0010,
  WM_NCLBUTTONDOWN = 0x00A1,
  WM_HSCROLL = 0x0115,
  WM_MOUSEMOVE = 0x0200,
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  LB_SETHORIZONTALEXTENT = 0x0194,
};

constexpr int GWL_WNDPROC = -4;
constexpr WPARAM HTCAPTION = 2;

enum : UINT {
  GW_HWNDFIRST = 0,
  GW_HWNDLAST = 1,
  GW_HWNDNEXT = 2,
  GW_HWNDPREV = 3,
  GW_OWNER = 4,
  GW_CHILD = 5,
};

enum : int {
  SM_CXSCREEN = 0,
  SM_CYSCREEN = 1,
  SM_CXVSCROLL = 2,
};

constexpr UINT TPM_RETURNCMD = 0x0100;
