// The INI reader of language files on arbitrary bytes, in every encoding it accepts: the
// decoded document written out and read again is the same document, lookups of every key it
// holds find it, and text encoded for a file decodes to the same text.

#include "settings/IniDocument.h"
#include "settings/TextFileEncoding.h"

#include <cstdio>
#include <cstdlib>

using namespace brevlin;

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "INI reader: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Text text = TextFileEncoding::Decode(bytes);
    const IniDocument document = IniDocument::Parse(text);
    const Text written = document.Serialize();
    if (IniDocument::Parse(written).Serialize() != written)
        Fail("a written document changes when read again");

    if (TextFileEncoding::Decode(TextFileEncoding::Encode(written)) != written)
        Fail("a document does not survive its file encoding");

    // A value set in a copy is found again under its name, whatever else the file holds.
    IniDocument copy = document;
    copy.Set(u"Fuzz Section", u"Key", u" value ");
    const auto found = copy.Find(u"fuzz section", u"KEY");
    if (!found || *found != u" value ")
        Fail("a value set is not found again");
    return 0;
}
