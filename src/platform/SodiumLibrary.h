#pragma once

// libsodium's functions, from the library opened at the first signature check (see
// LazyLibrary.h). <sodium.h> gives the types and constants; the functions are called through
// this table.

#include <sodium.h>

namespace wexlo::platform {

struct SodiumLibrary {
    decltype(&::crypto_generichash_final) generichash_final = nullptr;
    decltype(&::crypto_generichash_init) generichash_init = nullptr;
    decltype(&::crypto_generichash_update) generichash_update = nullptr;
    decltype(&::crypto_sign_verify_detached) sign_verify_detached = nullptr;
};

// Opens libsodium and initialises it, once; nullptr, now and at every later call, when the
// library or one of its functions cannot be found or it does not initialise.
const SodiumLibrary* sodiumLibrary();

}  // namespace wexlo::platform
