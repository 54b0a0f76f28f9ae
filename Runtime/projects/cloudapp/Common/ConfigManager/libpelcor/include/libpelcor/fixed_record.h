// Conventions of the fixed-layout caller records (deployment project,
// server, package and launcher profiles, name lists, target frameworks,
// runtime modules).
//
// - The caller allocates and owns a record and passes it by pointer. Every
//   field has a default member initialiser, so a record made with `T r;` or
//   `new T` starts all zero.
// - Text fields are fixed arrays of UTF-16 units. The library copies text
//   into them with truncation: at most width-1 units, always terminated, and
//   never ending inside a surrogate pair. A longer text is cut silently.
// - Flags are 32-bit integers holding 0 or 1.
// - A list is a singly linked list of nodes made by the library: the record
//   holds a pointer to the first node (null when empty) and every node begins
//   with the pointer to the next (null in the last). Nodes are given back only
//   through the manager's Free operation for the record; the caller never
//   frees a node itself.
// - A text of unbounded length is an OutString block (out_string.h), null
//   when absent.
#pragma once

#include <cstdint>

using PelcorFlag = std::int32_t;
