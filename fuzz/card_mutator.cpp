// libFuzzer's mutations for the card target. Most byte edits of a snapshot
// make it unreadable, and an unreadable snapshot never reaches the layout, so
// half of the time a readable input gets one of its texts edited instead and
// is written back with the snapshot encoder: the search then spends its runs
// on what the card does with texts. The other half are libFuzzer's own byte
// edits, which keep the decoder's corners in reach. Linked only into the
// libFuzzer build; the replay tests need no mutations.

#include "widget/store/SnapshotCodec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

// Every text of the snapshot that the card may show.
std::vector<std::string*> textsOf(tandry::ReadySnapshot& snapshot) {
    std::vector<std::string*> texts{&snapshot.paletteRaw};
    if (snapshot.emptyReason) {
        texts.push_back(&*snapshot.emptyReason);
    }
    for (tandry::ReadySnapshot::Item& item : snapshot.tasks) {
        texts.push_back(&item.title);
        texts.push_back(&item.flowName);
    }
    return texts;
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    std::minstd_rand random(seed);
    auto snapshot = tandry::decodeSnapshot(std::string_view(reinterpret_cast<char*>(data), size));
    if (!snapshot || random() % 2 == 0) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    // 1. Edit one text: now and then repeat it up to a length anywhere from
    //    twice its own to what the input's limit leaves, so that texts long
    //    enough to be slow are one step away rather than thousands of small
    //    insertions that add no coverage; otherwise edit it in place.
    std::vector<std::string*> texts = textsOf(*snapshot);
    std::string& text = *texts[random() % texts.size()];
    if (random() % 8 == 0 && !text.empty() && maxSize > size) {
        const std::size_t room = maxSize - size + text.size();
        const std::size_t length = std::min(room, text.size() << (1 + random() % 20));
        const std::string unit = text;
        while (text.size() + unit.size() <= length) {
            text += unit;
        }
    } else {
        const std::size_t textSize = text.size();
        text.resize(maxSize);
        text.resize(
            LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(text.data()), textSize, maxSize));
    }

    // 2. Write the snapshot back; an edit that broke the text's UTF-8 or made
    //    the document too long falls back to a byte edit.
    auto encoded = tandry::encodeSnapshot(*snapshot);
    if (!encoded || encoded->size() > maxSize) {
        return LLVMFuzzerMutate(data, size, maxSize);
    }
    std::memcpy(data, encoded->data(), encoded->size());
    return encoded->size();
}
