#include "sim/label_render.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "core/graphic/pcx_codec.h"
#include "sim/label_barcode.h"
#include "sim/label_text.h"

namespace vidodez::sim {
namespace {

// Code 128's text under the bars: the cell of VRLE's font 2.
constexpr char kReadableFont = '2';

// Larger than any font file Debian ships.
constexpr size_t kMaxResidentFace = 16 << 20;

std::string ReadFace(const char* path) {
  std::string bytes;
  std::FILE* file = std::fopen(path, "rbe");
  if (file == nullptr) return bytes;
  char block[65536];
  size_t got = 0;
  while (bytes.size() < kMaxResidentFace && (got = std::fread(block, 1, sizeof(block), file)) > 0)
    bytes.append(block, got);
  std::fclose(file);
  return bytes;
}

const std::string* Find(const std::vector<std::pair<std::string, std::string>>& kind,
                        const std::string& name) {
  for (const auto& [stored_name, data] : kind)
    if (stored_name == name) return &data;
  return nullptr;
}

class Renderer {
 public:
  Renderer(const LabelResources& resources, std::vector<std::string>* skipped, LabelBitmap* label)
      : r_(resources), skipped_(skipped), label_(label) {}

  void operator()(const TextField& f) {
    const TrueTypeFace* face = f.font_name.empty() ? r_.resident : Downloaded(f);
    if (face == nullptr) {
      if (f.font_name.empty())
        AddSkipped(skipped_, "resident font: no face at " + std::string(kResidentFacePath));
      return;
    }
    TextStamp stamp = f.font_name.empty() ? face->DrawInCells(f.text, f.width, f.height)
                                          : face->Draw(f.text, f.width, f.height);
    const StampMode mode = f.reverse ? StampMode::kReverse : StampMode::kBlack;
    if (f.quarter_turns % 4 == 0)
      PlaceStamp(stamp.bitmap, f.x - stamp.origin_x, f.y - stamp.origin_y, 0, mode, label_);
    else PlaceStamp(stamp.bitmap, f.x, f.y, f.quarter_turns, mode, label_);
  }

  void operator()(const BoxField& f) {
    const int t = std::max(f.thickness, 1);
    LabelBitmap stamp(f.width, f.height);
    stamp.Fill(0, 0, f.width, t);
    stamp.Fill(0, f.height - t, f.width, t);
    stamp.Fill(0, 0, t, f.height);
    stamp.Fill(f.width - t, 0, t, f.height);
    PlaceStamp(stamp, f.x, f.y, 0, f.mode, label_);
  }

  void operator()(const GraphicField& f) {
    const std::string* pcx = Find(r_.stored->graphics, f.name);
    if (pcx == nullptr) {
      AddSkipped(skipped_, "graphic " + PrintableName(f.name) + ": not stored");
      return;
    }
    GreyBitmap picture;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pcx->data());
    if (DecodePcx({bytes, pcx->size()}, &picture, nullptr) != 0 ||
        !PictureSizeAcceptable(picture.width, picture.height) || picture.width > kMaxLabelSide ||
        picture.height > kMaxLabelSide) {
      AddSkipped(skipped_, "graphic " + PrintableName(f.name) + ": not a PCX picture");
      return;
    }
    LabelBitmap stamp(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        if (!IsWhite(picture.At(x, y))) stamp.Set(x, y, true);
    if (f.scale_x > 1 || f.scale_y > 1) stamp = Magnified(stamp, f.scale_x, f.scale_y);
    PlaceStamp(stamp, f.x, f.y, 0, StampMode::kBlack, label_);
  }

  void operator()(const BarcodeField& f) {
    const auto cell = ResidentFontCell(FontCommandType::VRLE, kReadableFont, r_.dpi);
    LabelBitmap stamp;
    std::string error;
    if (!DrawBarcode(f, r_.resident, cell->width, cell->height, &stamp, &error)) {
      AddSkipped(skipped_,
                 std::string(f.kind == BarcodeKind::kQr ? "QR" : "Code 128") + ": " + error);
      return;
    }
    PlaceStamp(stamp, f.x, f.y, f.quarter_turns, StampMode::kBlack, label_);
  }

 private:
  // Each downloaded font is read once a label; null when it cannot be used.
  const TrueTypeFace* Downloaded(const TextField& f) {
    auto it = faces_.find(f.font_name);
    if (it == faces_.end()) {
      const std::string* data = Find(r_.stored->fonts, f.font_name);
      it = faces_.emplace(f.font_name, data ? TrueTypeFace::Open(*data) : nullptr).first;
      if (!it->second) {
        AddSkipped(skipped_, std::string("font ") + PrintableName(std::string(1, f.font_id)) +
                                 " (" + PrintableName(f.font_name) +
                                 "): " + (data ? "not a TrueType font" : "not stored"));
      }
    }
    return it->second.get();
  }

  const LabelResources& r_;
  std::vector<std::string>* skipped_;
  LabelBitmap* label_;
  std::map<std::string, std::unique_ptr<TrueTypeFace>> faces_;
};

}  // namespace

LabelBitmap RenderLabel(const LabelJob& job, const LabelResources& resources,
                        std::vector<std::string>* skipped) {
  LabelBitmap label(job.width > 0 ? job.width : resources.width,
                    job.height > 0 ? job.height : resources.height);
  Renderer renderer(resources, skipped, &label);
  for (const LabelField& field : job.fields) std::visit(renderer, field);
  return label;
}

LabelPainter::LabelPainter() = default;
LabelPainter::~LabelPainter() = default;

DrawnLabel LabelPainter::Draw(const PrintedLabel& label) {
  if (!resident_read_) {
    resident_read_ = true;
    resident_ = TrueTypeFace::Open(ReadFace(kResidentFacePath));
  }
  LabelResources resources;
  resources.stored = label.stored;
  resources.resident = resident_.get();
  resources.dpi = label.dpi;
  resources.width = label.width;
  resources.height = label.height;
  DrawnLabel drawn;
  drawn.skipped = label.job.skipped;
  drawn.bitmap = RenderLabel(label.job, resources, &drawn.skipped);
  return drawn;
}

}  // namespace vidodez::sim
