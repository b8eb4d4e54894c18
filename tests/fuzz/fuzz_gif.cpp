#include "tests/fuzz/picture_fuzz_check.h"
#include "ui/picture/picture_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sw::fuzz::CheckPicture(sw::DecodeGif({data, size}));
  return 0;
}
