// The runtimes and the development environment that the local machine's
// registry names (read only). Registry functions read the registry afresh on
// each call; any thread.
#pragma once

#include <optional>

#include "platform/text_types.h"

namespace launcher {

// The lowest runtime version that this launcher supports. Versions compare
// as text; a usable one has exactly kVersionLength characters.
inline constexpr char16_t kLowestSupportedVersion[] = u"22.0.0.1878";
inline constexpr std::size_t kVersionLength = 11;

// The installed development environment's library folder, "Location" +
// "/" + "IPS Name" + "/IDE" from "Software\Corvana\Lumarine\22.0"; "" unless
// both values are non-empty.
platform::WString DevelopmentEnvironmentFolder();

// The value "RuntimeVersion" of "Software\Corvana\Lumarine Runtime": the
// registered versions, each followed by ","; "" when absent.
platform::WString RegisteredRuntimeVersions();

// The value "Location" of that key's subkey `version`: the folder of that
// version's runtime library; "" when absent.
platform::WString RegisteredRuntimeLocation(platform::WStringView version);

// The registered version to try when the lowest supported one is not
// installed: the pieces of `versions` between commas (the last one also when
// no comma follows it), sorted by character codes with equal ones kept in
// order, and the first of them that sorts above `lowest`. Empty pieces, and
// pieces of 20 characters or more, are no versions. nullopt when none sorts
// above `lowest`. Pure.
std::optional<platform::WString> ChooseRegisteredVersion(platform::WStringView versions,
                                                         platform::WStringView lowest);

}  // namespace launcher
