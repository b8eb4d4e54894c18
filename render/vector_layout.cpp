#include "render/vector_layout.h"

namespace sw {
namespace {

constexpr std::int64_t kQuietZoneModules = 10;
constexpr std::int64_t kMicronsPerUnit = 10;
// Taller than any barcode's bars and caption (a metre), and still far from overflowing 32 bits.
constexpr std::int32_t kRoomDown = 100000;

}  // namespace

VectorLayoutResult LayOutVectorBarcode(std::int64_t modules, const BarcodeLook& look) {
  const std::int64_t module = (look.module_microns + kMicronsPerUnit / 2) / kMicronsPerUnit;
  const std::int64_t across = (modules + 2 * kQuietZoneModules) * module;
  if (modules <= 0 || module <= 0 || across > kRoomDown * 100) {
    return Failure<PrintLayoutError>{PrintLayoutError::kUnusable, "no modules, or no module size"};
  }
  const PrintableArea page{kVectorDpi, kVectorDpi, static_cast<std::int32_t>(across), kRoomDown};
  const PrintLayoutResult laid = LayOutPrintedBarcode(modules, page, look);
  if (!laid.ok()) return Failure<PrintLayoutError>{laid.code(), laid.message()};
  return VectorLayout{laid.value(), static_cast<std::int32_t>(across)};
}

}  // namespace sw
