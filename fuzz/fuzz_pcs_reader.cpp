// Feeds arbitrary bytes to the PCS reader; see FormatReaderFuzzing.h for what it checks.
#include "fuzz/FormatReaderFuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vireluna::fuzzing::FuzzFormatReader(vireluna::PcsFormat, data, size);
}
