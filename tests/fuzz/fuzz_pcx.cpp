#include "tests/fuzz/picture_fuzz_check.h"
#include "ui/picture/picture_readers.h"

// Both readers: each checks the header's bit count itself, so one input reaches at most one of them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sw::fuzz::CheckPicture(sw::DecodePcx({data, size}, sw::PictureKind::kPcx8));
  sw::fuzz::CheckPicture(sw::DecodePcx({data, size}, sw::PictureKind::kPcx1));
  return 0;
}
