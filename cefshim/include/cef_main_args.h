// CefMainArgs: the process's own arguments, as main() received them. The
// argument vector is borrowed: it must outlive every use of the object.
#pragma once

struct CefMainArgs {
  CefMainArgs() = default;
  CefMainArgs(int argc_arg, char** argv_arg) : argc(argc_arg), argv(argv_arg) {}

  int argc = 0;
  char** argv = nullptr;
};
