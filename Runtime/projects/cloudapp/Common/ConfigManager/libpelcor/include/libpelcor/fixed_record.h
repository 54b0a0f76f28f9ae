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
//
// How a document fills these records: the comment after a field names the
// JSON member that fills it, with the member's JSON type and, where it is
// not 0 or the empty text, the default that an absent member gives.
// - string: the text, cut to the field. Absent, or of another type: the
//   empty text.
// - true/false: JSON true gives 1, false 0. Any other value gives 0, also
//   where the default is 1 ("LocalServer": 1 reads as 0); absent: the
//   default.
// - integer: a JSON number without fraction or exponent, its low 32 bits
//   (16 for a std::uint16_t field: 70000 gives 4464). Absent, or another
//   value (2.0, "2", true): the default.
// - A required member ("required" after its type) that is missing makes
//   the load give CONFIG_MISSING_MEMBER, and one of another type (an
//   object for an array, say) CONFIG_INVALID_JSON; so does a root of
//   another type. Each record's header says what such a failure leaves.
// Members the format does not have are ignored. A save (of the documents
// that have one) writes the members that a load reads, texts as strings,
// flags as true/false (true for any non-zero field) and integers as
// numbers; the record's header names the exceptions.
#pragma once

#include <cstdint>

using PelcorFlag = std::int32_t;
