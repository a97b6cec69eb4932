#include "sim/label_barcode.h"

#include <zint.h>

#include <algorithm>
#include <memory>

namespace vidodez::sim {
namespace {

struct SymbolDeleter {
  void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// zint keeps each row's modules as bits, the first module in the lowest bit.
bool ModuleSet(const zint_symbol& symbol, int row, int column) {
  return ((symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
}

int QrErrorLevel(char level) {
  switch (level) {
    case 'L':
      return 1;
    case 'Q':
      return 3;
    case 'H':
      return 4;
    default:
      return 2;
  }
}

}  // namespace

bool DrawBarcode(const BarcodeField& field, const TrueTypeFace* text_face, int text_cell_width,
                 int text_cell_height, LabelBitmap* stamp, std::string* error) {
  std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
  if (!symbol) {
    *error = "out of memory";
    return false;
  }
  const bool qr = field.kind == BarcodeKind::kQr;
  symbol->symbology = qr ? BARCODE_QRCODE : BARCODE_CODE128;
  symbol->input_mode = DATA_MODE;
  if (qr) symbol->option_1 = QrErrorLevel(field.error_level);
  const int rc =
      ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(field.data.data()),
                      static_cast<int>(field.data.size()));
  if (rc >= ZINT_ERROR || symbol->width <= 0 || symbol->rows <= 0) {
    *error = symbol->errtxt;
    return false;
  }
  const int module = std::max(field.module, 1);
  const int width = std::min(symbol->width * module, kMaxLabelSide);
  if (qr) {
    *stamp = LabelBitmap(width, std::min(symbol->rows * module, kMaxLabelSide));
    for (int row = 0; row < symbol->rows; ++row)
      for (int column = 0; column < symbol->width; ++column)
        if (ModuleSet(*symbol, row, column))
          stamp->Fill(std::int64_t{column} * module, std::int64_t{row} * module, module, module);
    return true;
  }
  const int bars = std::clamp(field.height, 1, kMaxLabelSide);
  TextStamp text;
  if (field.readable && text_face != nullptr) {
    std::u32string readable(field.data.begin(), field.data.end());
    text = text_face->DrawInCells(readable, text_cell_width, text_cell_height);
  }
  *stamp = LabelBitmap(std::max(width, text.bitmap.width),
                       std::min(bars + text.bitmap.height, kMaxLabelSide));
  for (int column = 0; column < symbol->width; ++column)
    if (ModuleSet(*symbol, 0, column)) stamp->Fill(std::int64_t{column} * module, 0, module, bars);
  // The text centred under the bars.
  PlaceStamp(text.bitmap, (width - text.bitmap.width) / 2, bars, 0, StampMode::kBlack, stamp);
  return true;
}

}  // namespace vidodez::sim
