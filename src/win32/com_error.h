#pragma once

#include <windows.h>
#include <oaidl.h>

#include "core/error.h"
#include "core/text.h"

namespace zemvo::win32 {

// "0x80020009"
Text hexCode(unsigned long value);

// The system's text for an HRESULT (FormatMessageW), without the trailing line
// end; empty when the system has none.
Text systemText(HRESULT code);

// The error of a failed call of `member`: "<member>: <text> (0x<code>)". The
// text is the server's own description from EXCEPINFO when it gave one
// (after its deferred fill-in), else the system's text for the code, else
// "エラー". For DISP_E_EXCEPTION the code shown is the server's scode when it
// set one. Frees the EXCEPINFO strings.
Error comError(TextView member, HRESULT code, EXCEPINFO* info = nullptr);

// Frees the strings of an EXCEPINFO and zeroes it.
void clearExcepInfo(EXCEPINFO& info) noexcept;

}  // namespace zemvo::win32
