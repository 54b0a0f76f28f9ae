// CefCommandLine: switches read from a process's arguments, as CEF reads
// them on Linux.
//
// After the program name, an argument that begins with "--" or "-" followed
// by a name is a switch: "--name=value", "-name=value", or "--name" with the
// empty value. A lone "--" ends the switches: later arguments are not read as
// switches. A later duplicate replaces an earlier one. Names compare exactly
// (case-sensitive). Not synchronised: one thread at a time.
#pragma once

#include "cef_base.h"
#include "cef_string.h"

class CefCommandLine : public virtual CefBaseRefCounted {
 public:
  // An empty command line.
  static CefRefPtr<CefCommandLine> CreateCommandLine();

  virtual bool IsValid() = 0;
  // Replaces the switches with those of `argv` (argv[0] being the program);
  // arguments are read as UTF-8.
  virtual void InitFromArgv(int argc, const char* const* argv) = 0;
  virtual bool HasSwitch(const CefString& name) = 0;
  // The switch's value; empty when absent or given without a value.
  virtual CefString GetSwitchValue(const CefString& name) = 0;
};
