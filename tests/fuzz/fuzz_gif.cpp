#include "picture_fuzz_check.h"
#include "ui/picture_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sw::fuzz::CheckPicture(sw::DecodeGif({data, size}));
  return 0;
}
