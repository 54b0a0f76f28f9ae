// COtherAppProvider: the application object of the process kinds that carry
// no logic of Kestrun's (GPU, utility and the like): it adds nothing.
#pragma once

#include "client_app.h"

namespace CefProvider {

class COtherAppProvider : public ClientApp {
  IMPLEMENT_REFCOUNTING(COtherAppProvider);
};

}  // namespace CefProvider
