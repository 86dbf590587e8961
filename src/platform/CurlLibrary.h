#pragma once

// libcurl's functions, from the library opened at the first transfer (see LazyLibrary.h).
// <curl/curl.h> gives the types and constants; the functions are called through this table.

#include <curl/curl.h>

namespace wexlo::platform {

struct CurlLibrary {
    decltype(&::curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&::curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&::curl_easy_init) easy_init = nullptr;
    decltype(&::curl_easy_setopt) easy_setopt = nullptr;
    decltype(&::curl_easy_strerror) easy_strerror = nullptr;
    decltype(&::curl_global_init) global_init = nullptr;
    decltype(&::curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&::curl_multi_cleanup) multi_cleanup = nullptr;
    decltype(&::curl_multi_info_read) multi_info_read = nullptr;
    decltype(&::curl_multi_init) multi_init = nullptr;
    decltype(&::curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&::curl_multi_setopt) multi_setopt = nullptr;
    decltype(&::curl_multi_socket_action) multi_socket_action = nullptr;
};

// Opens libcurl and runs its global initialisation, once; nullptr, now and at every later
// call, when the library or one of its functions cannot be found or it does not initialise.
const CurlLibrary* curlLibrary();

}  // namespace wexlo::platform
