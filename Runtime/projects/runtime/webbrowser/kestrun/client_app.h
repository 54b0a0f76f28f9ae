// ClientApp: the application object of every Kestrun process kind; it keeps
// every CefApp default. Reference-counted the CEF way by its subclasses.
#pragma once

#include "cef_app.h"

namespace CefProvider {

class ClientApp : public CefApp {};

}  // namespace CefProvider
