#include "core/graphic/sampling_sink.h"

#include <new>
#include <system_error>

#include "core/graphic/graphic_codes.h"

namespace vidodez {

int SamplingSink::Start(int width, int height, int bits_per_pixel, int quarter_turns) noexcept {
  // The resampling's rows and columns are those of the upright picture, and
  // the boxes' too: a picture still to be turned is sampled after its turn.
  if (quarter_turns != 0) {
    declined_ = true;
    return kGraphicBadPicture;
  }
  try {
    const PixelSize size = choose_(width, height, bits_per_pixel);
    if (const int code = SampledPicture::Plan(width, height, size.width, size.height, picture_);
        code != kGraphicOk)
      return code;
    bands_.emplace(width, height);
    width_ = std::size_t(width);
    for (std::vector<std::uint8_t>& band : ring_) band.resize(width_ * kThresholdBoxSize);
  } catch (const std::bad_alloc&) {
    declined_ = true;
    return kGraphicBadPicture;
  }
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // No second thread: the decoding one takes the bands.
  }
  return kGraphicOk;
}

std::uint8_t* SamplingSink::Row(int y) noexcept {
  const int band = y / kThresholdBoxSize;
  if (y % kThresholdBoxSize == 0 && thread_.joinable()) {
    // The band that used this slot of the ring before must have been taken.
    std::unique_lock lock(mutex_);
    taken_changed_.wait(lock, [&] { return taken_ > band - kRing || stopped_; });
  }
  return ring_[band % kRing].data() + std::size_t(y % kThresholdBoxSize) * width_;
}

void SamplingSink::RowDone(int y) noexcept {
  const int band = y / kThresholdBoxSize;
  if (y + 1 != bands_->BandEnd(band)) return;
  if (thread_.joinable()) {
    {
      const std::lock_guard lock(mutex_);
      decoded_ = band + 1;
    }
    decoded_changed_.notify_one();
    return;
  }
  try {
    Take(band);
    taken_ = band + 1;
  } catch (const std::bad_alloc&) {
    failed_ = true;
  }
}

void SamplingSink::Take(int band) {
  const std::uint8_t* rows = ring_[band % kRing].data();
  bands_->AddBand(band, rows);
  for (int y = bands_->BandStart(band); y < bands_->BandEnd(band); ++y)
    picture_->Keep(y, rows + std::size_t(y - bands_->BandStart(band)) * width_);
}

void SamplingSink::Run() noexcept {
  for (int band = 0; band < bands_->band_count(); ++band) {
    {
      std::unique_lock lock(mutex_);
      decoded_changed_.wait(lock, [&] { return decoded_ > band || ended_; });
      if (decoded_ <= band) break;
    }
    try {
      Take(band);
    } catch (const std::bad_alloc&) {
      failed_ = true;
      break;
    }
    {
      const std::lock_guard lock(mutex_);
      taken_ = band + 1;
    }
    taken_changed_.notify_one();
  }
  {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  taken_changed_.notify_one();
}

void SamplingSink::End() noexcept {
  {
    const std::lock_guard lock(mutex_);
    ended_ = true;
  }
  decoded_changed_.notify_one();
  if (thread_.joinable()) thread_.join();
}

std::optional<ThresholdMap> SamplingSink::TakeMap() const {
  if (!bands_ || failed_ || taken_ != bands_->band_count()) return std::nullopt;
  try {
    return ThresholdMap(*bands_);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace vidodez
