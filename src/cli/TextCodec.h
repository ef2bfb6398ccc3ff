#pragma once

#include "text/Text.h"

#include <string>
#include <string_view>

namespace brevlin::cli {

enum class InputEncoding { Utf8, Cp932 };

// Text at the command line's edges: files carry LF line ends and bytes in UTF-8 (or CP932);
// the engine works on UTF-16 with CR LF.
class TextCodec {
public:
    // Decodes the whole input; a byte sequence that is not valid in the encoding is an error
    // naming its line, column and byte offset. A UTF-8 byte-order mark is dropped; after a
    // UTF-16 one (either byte order) the input is read as UTF-16, whatever `encoding` says.
    // With lfToCrLf, each LF not preceded by CR becomes CR LF on the way: the same text as
    // ToCrLf (engine/TextRoutines.h) after decoding, in one pass.
    // Output is written with Utf8::Append (text/Utf8.h), whose crLfToLf undoes lfToCrLf.
    static Text Decode(std::string_view bytes, InputEncoding encoding, bool lfToCrLf = false);
};

} // namespace brevlin::cli
