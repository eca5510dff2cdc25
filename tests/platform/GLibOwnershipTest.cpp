#include "platform/GLibOwnership.h"

#include <gtest/gtest.h>

namespace tandry {
namespace {

void countNotification(GObject*, GParamSpec*, gpointer count) {
    ++*static_cast<int*>(count);
}

// Emits the object's "notify" signal once; the count says which handlers ran.
void notify(GObject* object) {
    g_signal_emit_by_name(object, "notify", nullptr);
}

TEST(SignalConnection, DisconnectsWhenItGoesAndOnlyThen) {
    const GObjectPtr<GObject> object(G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr)));
    int first = 0;
    int second = 0;
    {
        SignalConnection kept = SignalConnection::connect(object.get(), "notify",
                                                          G_CALLBACK(&countNotification), &first);
        // A moved connection is the same one: the moved-from one disconnects nothing.
        SignalConnection moved = std::move(kept);
        notify(object.get());
        EXPECT_EQ(first, 1);
        // Taking over another connection ends the one it held.
        moved = SignalConnection::connect(object.get(), "notify", G_CALLBACK(&countNotification),
                                          &second);
        notify(object.get());
        EXPECT_EQ(first, 1);
        EXPECT_EQ(second, 1);
    }
    notify(object.get());
    EXPECT_EQ(second, 1);
}

TEST(SignalConnection, KeepsItsObjectUntilItDisconnects) {
    int count = 0;
    GObject* object = G_OBJECT(g_object_new(G_TYPE_OBJECT, nullptr));
    gpointer alive = object;
    g_object_add_weak_pointer(object, &alive);
    SignalConnection connection =
        SignalConnection::connect(object, "notify", G_CALLBACK(&countNotification), &count);
    // The caller's own reference goes first; the object stays until the
    // handler has left it.
    g_object_unref(object);
    EXPECT_NE(alive, nullptr);
    connection.reset();
    EXPECT_EQ(alive, nullptr);
}

TEST(OutPointer, OwnsWhatTheCallHandsBack) {
    GErrorPtr error;
    g_set_error(out(error), G_FILE_ERROR, G_FILE_ERROR_NOENT, "first");
    ASSERT_NE(error, nullptr);
    EXPECT_STREQ(error->message, "first");
    // A second call replaces the first error, which is freed (the leak
    // checker reports it otherwise), and a call that succeeds leaves none.
    g_set_error(out(error), G_FILE_ERROR, G_FILE_ERROR_ACCES, "second");
    EXPECT_STREQ(error->message, "second");
    const GKeyFilePtr file(g_key_file_new());
    EXPECT_TRUE(g_key_file_load_from_data(file.get(), "[Group]\nKey=value\n", -1, G_KEY_FILE_NONE,
                                          out(error)));
    EXPECT_EQ(error, nullptr);
}

} // namespace
} // namespace tandry
