#pragma once

#include <string_view>

namespace tandry {

// libsystemd, opened the first time a call of it is asked for rather than
// linked: most runs of the command line (a render above all) use neither the
// journal nor the bus, and loading the library, with the compression and
// cryptography libraries it needs, cost every start of a process about 3 ms
// and 1 MB. Safe to call from any thread.
class SystemdLibrary {
public:
    // The call named `name` (`sd_journal_send`, say) as a pointer of the type
    // of its declaration, which the caller takes from libsystemd's headers:
    //   auto send = SystemdLibrary::function<decltype(&sd_journal_send)>("sd_journal_send");
    // Null where the library or the call is missing.
    template <typename Function> static Function function(const char* name) {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    static void* symbol(const char* name);
};

} // namespace tandry
