#include "platform/CurlLibrary.h"

#include "platform/LazyLibrary.h"

#include "WexloConfig.h"

#include <optional>

namespace wexlo::platform {

const CurlLibrary* curlLibrary()
{
    // A function-local static: the first caller loads it, and any other waits for that.
    static const std::optional<CurlLibrary> loaded = []() -> std::optional<CurlLibrary> {
        LazyLibrary library(WEXLO_CURL_SONAME);
        CurlLibrary f;
#define WEXLO_CURL_FIND(field) library.find(f.field, "curl_" #field)
        WEXLO_CURL_FIND(easy_cleanup);
        WEXLO_CURL_FIND(easy_getinfo);
        WEXLO_CURL_FIND(easy_init);
        WEXLO_CURL_FIND(easy_setopt);
        WEXLO_CURL_FIND(easy_strerror);
        WEXLO_CURL_FIND(global_init);
        WEXLO_CURL_FIND(multi_add_handle);
        WEXLO_CURL_FIND(multi_cleanup);
        WEXLO_CURL_FIND(multi_info_read);
        WEXLO_CURL_FIND(multi_init);
        WEXLO_CURL_FIND(multi_remove_handle);
        WEXLO_CURL_FIND(multi_setopt);
        WEXLO_CURL_FIND(multi_socket_action);
#undef WEXLO_CURL_FIND
        if (!library.ok() || f.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
            return std::nullopt;
        library.keep();
        return f;
    }();
    return loaded ? &*loaded : nullptr;
}

}  // namespace wexlo::platform
