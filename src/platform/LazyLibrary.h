#pragma once

// A shared library opened when an operation first needs it rather than by the dynamic loader
// at start-up: libcurl and libsodium bring some twenty libraries of their own that a start of
// the program never uses, and mapping them was a fifth of its start-up time.

namespace wexlo::platform {

class LazyLibrary {
public:
    // Opens the library by its soname; ok() says whether that and every find() succeeded.
    explicit LazyLibrary(const char* soname);
    // Closes the library again unless keep() was called.
    ~LazyLibrary();
    LazyLibrary(const LazyLibrary&) = delete;
    LazyLibrary& operator=(const LazyLibrary&) = delete;

    // Points function at the library's function of that name; a name the library lacks
    // leaves it null and makes ok() false.
    template <typename Function>
    void find(Function& function, const char* name)
    {
        // POSIX guarantees that an address from dlsym converts to a function pointer.
        function = reinterpret_cast<Function>(address(name));
    }

    bool ok() const { return handle_ != nullptr && allFound_; }
    // Leaves the library open for the rest of the program, for the functions found in it.
    void keep() { kept_ = true; }

private:
    void* address(const char* name);

    void* handle_ = nullptr;
    bool allFound_ = true;
    bool kept_ = false;
};

}  // namespace wexlo::platform
