// An example Lumarine runtime written in C: prints which entry the launcher
// called and the command tail it was given, and returns the tail's length
// in UTF-16 units, which becomes the launcher's exit code.
#include <stdio.h>

#include "launcher/runtime_entry.h"

// Writes the UTF-16 text to standard output as UTF-8; a lone surrogate
// becomes U+FFFD.
static void PrintUtf8(const char16_t* text) {
  static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};  // by the number of trailing bytes
  for (; *text != 0; ++text) {
    unsigned long c = *text;
    if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[1] - 0xDC00);
      ++text;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      putchar((int)c);
      continue;
    }
    const int trailing = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    putchar((int)(kLead[trailing] | c >> 6 * trailing));
    for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6) putchar((int)(0x80 | (c >> shift & 0x3F)));
  }
}

static int Describe(const char* entry, const char16_t* tail) {
  int units = 0;
  while (tail[units] != 0) ++units;
  printf("  runtime in C entered through %s\n  command line tail  [", entry);
  PrintUtf8(tail);
  printf("], %d UTF-16 units\n", units);
  fflush(stdout);
  return units;
}

// The two entries, declared by runtime_entry.h (which gives them C linkage
// and exports them).
int FN_RunExecutable(void* instance, void* previous_instance, const char16_t* tail, int show_window,
                     int reserved_1000, int reserved_0) {
  (void)instance, (void)previous_instance, (void)show_window, (void)reserved_1000, (void)reserved_0;
  return Describe("FN_RunExecutable", tail);
}

int PD_HostAttachedTarget(void* instance, void* previous_instance, const char16_t* tail, int show_window,
                          int reserved_1000, int reserved_0) {
  (void)instance, (void)previous_instance, (void)show_window, (void)reserved_1000, (void)reserved_0;
  return Describe("PD_HostAttachedTarget", tail);
}
