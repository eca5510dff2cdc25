#include "bridges/eds/CardIdentity.h"

#include <string>
#include <uuid/uuid.h>

namespace tandry {
namespace {

// The namespace of the name-based ids: a UUID of this bridge's own, so that
// its ids meet no other program's.
constexpr uuid_t taskListNamespace = {0x6b, 0x1e, 0x4f, 0x0a, 0x93, 0x52, 0x4c, 0x8e,
                                      0xa7, 0x3d, 0x25, 0x90, 0xe1, 0x4b, 0x7c, 0x16};

} // namespace

Uuid cardIdOf(std::string_view sourceUid, std::string_view componentUid) {
    if (auto uuid = parseUuidText(componentUid)) {
        return *uuid;
    }
    // A NUL between the two names cannot occur in either, so no two pairs
    // share a name.
    std::string name(sourceUid);
    name.push_back('\0');
    name.append(componentUid);
    uuid_t derived;
    uuid_generate_sha1(derived, taskListNamespace, name.data(), name.size());
    Uuid id;
    std::copy(std::begin(derived), std::end(derived), id.bytes.begin());
    return id;
}

} // namespace tandry
