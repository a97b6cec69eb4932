#pragma once
// A picture taken for one conversion as it is decoded, without ever being
// held whole: the rows go through a ring of bands (a row of threshold
// boxes each), and each band's box histograms are taken and what the
// resampling reads of its rows kept, by a second thread or by the decoding
// one, whichever is free first: a second thread the system runs late never
// holds the decode up.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/graphic/adaptive_threshold.h"
#include "core/graphic/picture_size.h"
#include "core/graphic/resample.h"
#include "core/graphic/row_sink.h"

namespace vidodez {

// A conversion's pixel size, chosen from the picture's size and its bits
// per pixel as stored.
using ChooseConversionSize = std::function<PixelSize(int width, int height, int bits_per_pixel)>;

class SamplingSink final : public RowSink {
 public:
  // The pixels `choose` asks for go to `picture`; `choose` is kept by
  // reference and asked in Start.
  SamplingSink(const ChooseConversionSize& choose, SampledPicture* picture)
      : choose_(choose), picture_(picture) {}
  ~SamplingSink() override { End(); }
  SamplingSink(const SamplingSink&) = delete;
  SamplingSink& operator=(const SamplingSink&) = delete;

  // kGraphicBadSize for a size chosen that is not acceptable. A picture to
  // be turned or mirrored first is declined, and so is one for which
  // `choose` throws or there is no memory.
  int Start(int width, int height, int bits_per_pixel, int quarter_turns) noexcept override;
  std::uint8_t* Row(int y) noexcept override;
  void RowDone(int y) noexcept override;

  // The decode is over, whole or not; waits for the second thread.
  void End() noexcept;
  // Whether Start declined the picture: it is to be converted whole.
  bool declined() const { return declined_; }
  // After End: the box thresholds, when every band was taken.
  std::optional<ThresholdMap> TakeMap() const;

 private:
  static constexpr int kRing = 2;
  // Takes the next decoded band nobody has claimed, if there is one, with
  // `lock` held on entry and on return.
  bool TakeNext(std::unique_lock<std::mutex>& lock) noexcept;
  void Take(int band);
  void Run() noexcept;

  const ChooseConversionSize& choose_;
  SampledPicture* picture_;
  bool declined_ = false;
  std::optional<ThresholdMapBuilder> bands_;
  std::vector<std::uint8_t> ring_[kRing];
  std::size_t width_ = 0;

  std::mutex mutex_;
  std::condition_variable decoded_changed_;
  std::condition_variable taken_changed_;
  int decoded_ = 0;          // bands whose rows are all decoded
  int claimed_ = 0;          // bands claimed by a thread, in order
  std::vector<char> taken_;  // of each band: its ring slot is free again
  bool ended_ = false;       // the decode is over
  bool failed_ = false;      // a band could not be taken
  std::thread thread_;
};

}  // namespace vidodez
