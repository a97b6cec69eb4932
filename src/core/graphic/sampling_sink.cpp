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
    taken_.assign(std::size_t(bands_->band_count()), 0);
    width_ = std::size_t(width);
    for (std::vector<std::uint8_t>& band : ring_) band.resize(width_ * kThresholdBoxSize);
  } catch (...) {
    // No memory, or `choose` failed: nothing may leave through the decoder's
    // frames, so the whole picture is decoded instead and `choose` asked
    // again outside them.
    declined_ = true;
    return kGraphicBadPicture;
  }
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // No second thread: the decoding one takes every band.
  }
  return kGraphicOk;
}

std::uint8_t* SamplingSink::Row(int y) noexcept {
  const int band = y / kThresholdBoxSize;
  if (y % kThresholdBoxSize == 0 && band >= kRing) {
    // The band that used this slot of the ring before must have been taken;
    // rather than wait for it, take whatever else is waiting.
    std::unique_lock lock(mutex_);
    while (taken_[std::size_t(band - kRing)] == 0)
      if (!TakeNext(lock)) taken_changed_.wait(lock);
  }
  return ring_[band % kRing].data() + std::size_t(y % kThresholdBoxSize) * width_;
}

void SamplingSink::RowDone(int y) noexcept {
  const int band = y / kThresholdBoxSize;
  if (y + 1 != bands_->BandEnd(band)) return;
  std::unique_lock lock(mutex_);
  decoded_ = band + 1;
  if (!thread_.joinable()) {
    (void)TakeNext(lock);
    return;
  }
  lock.unlock();
  decoded_changed_.notify_one();
}

bool SamplingSink::TakeNext(std::unique_lock<std::mutex>& lock) noexcept {
  if (claimed_ >= decoded_ || failed_) return false;
  const int band = claimed_++;
  lock.unlock();
  bool taken = true;
  try {
    Take(band);
  } catch (const std::bad_alloc&) {
    taken = false;
  }
  lock.lock();
  // Its slot is free either way; the map is lost without it.
  taken_[std::size_t(band)] = 1;
  failed_ = failed_ || !taken;
  taken_changed_.notify_all();
  return true;
}

void SamplingSink::Take(int band) {
  const std::uint8_t* rows = ring_[band % kRing].data();
  bands_->AddBand(band, rows);
  for (int y = bands_->BandStart(band); y < bands_->BandEnd(band); ++y)
    picture_->Keep(y, rows + std::size_t(y - bands_->BandStart(band)) * width_);
}

void SamplingSink::Run() noexcept {
  std::unique_lock lock(mutex_);
  for (;;) {
    decoded_changed_.wait(lock, [&] { return (claimed_ < decoded_ && !failed_) || ended_; });
    if (!TakeNext(lock) && ended_) return;
  }
}

void SamplingSink::End() noexcept {
  {
    std::unique_lock lock(mutex_);
    ended_ = true;
    decoded_changed_.notify_one();
    // The last bands are taken here too, while the second thread may still
    // be busy or not yet running.
    while (TakeNext(lock)) {
    }
  }
  if (thread_.joinable()) thread_.join();
}

std::optional<ThresholdMap> SamplingSink::TakeMap() const {
  if (!bands_ || failed_ || claimed_ != bands_->band_count()) return std::nullopt;
  try {
    return ThresholdMap(*bands_);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace vidodez
