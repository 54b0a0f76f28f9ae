// Visibility of libpelcor's boundary.
//
// The library is built with hidden visibility: it exports its factory and
// the type information of its interfaces, nothing else. Interfaces carry
// PELCOR_INTERFACE so that their type information is one and the same on
// both sides and a caller may dynamic_cast between the interfaces of one
// object.
#pragma once

#define PELCOR_INTERFACE __attribute__((visibility("default")))
#define PELCOR_API extern "C" __attribute__((visibility("default")))
