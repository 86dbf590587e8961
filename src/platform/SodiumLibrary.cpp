#include "platform/SodiumLibrary.h"

#include "platform/LazyLibrary.h"

#include "WexloConfig.h"

#include <optional>

namespace wexlo::platform {

const SodiumLibrary* sodiumLibrary()
{
    // A function-local static: the first caller loads it, and any other waits for that.
    static const std::optional<SodiumLibrary> loaded = []() -> std::optional<SodiumLibrary> {
        LazyLibrary library(WEXLO_SODIUM_SONAME);
        SodiumLibrary f;
        decltype(&::sodium_init) init = nullptr;
        library.find(init, "sodium_init");
#define WEXLO_SODIUM_FIND(field) library.find(f.field, "crypto_" #field)
        WEXLO_SODIUM_FIND(generichash_final);
        WEXLO_SODIUM_FIND(generichash_init);
        WEXLO_SODIUM_FIND(generichash_update);
        WEXLO_SODIUM_FIND(sign_verify_detached);
#undef WEXLO_SODIUM_FIND
        // sodium_init gives 1 when it ran before (the tests link libsodium themselves).
        if (!library.ok() || init() < 0)
            return std::nullopt;
        library.keep();
        return f;
    }();
    return loaded ? &*loaded : nullptr;
}

}  // namespace wexlo::platform
