#include "nvdata/setting_field.h"

#include "nvdata/nv_codec.h"

using C = SettingCodec;

uint32_t DecodeRaw(int size, uint8_t mask, const uint8_t* b) {
  if (size == 2) return static_cast<uint32_t>(CNvCodec::MakeWord(b[0], b[1]));
  return b[0] & mask;
}

double DecodeNumber(SettingCodec codec, int size, uint8_t mask, const uint8_t* b) {
  const uint32_t raw = DecodeRaw(size, mask, b);
  switch (codec) {
    case C::kTemp:
      return CNvCodec::WordToTemp(b[0], b[1]);
    case C::kTenthsWhole:
    case C::kTenths:
      return raw / 10.0;
    case C::kHalfByte:
      return CNvCodec::ByteToHalf(b[0]);
    case C::kSignedByte:
      return CNvCodec::SignedByte(b[0]);
    case C::kFlag:
      return raw != 0 ? 1 : 0;
    case C::kHoursMinutes:
      return CNvCodec::SignedByte(b[0]) * 60 + CNvCodec::SignedByte(b[1]);
    case C::kWord:
    case C::kQuarterHours:
    case C::kOverride:
      return raw;
  }
  return raw;
}

void PutFieldNumber(const SettingField& f, uint8_t* record, double v) {
  uint8_t* b = record + f.byte;
  switch (f.codec) {
    case C::kTemp:
      b[0] = CNvCodec::HundredthsHigh(v);
      b[1] = CNvCodec::HundredthsLow(v);
      return;
    case C::kTenthsWhole:
    case C::kTenths:
      b[0] = CNvCodec::TenthsHigh(v);
      b[1] = CNvCodec::TenthsLow(v);
      return;
    case C::kWord:
    case C::kOverride:
      b[0] = CNvCodec::WholeHigh(v);
      b[1] = CNvCodec::WholeLow(v);
      return;
    case C::kHalfByte:
      b[0] = CNvCodec::HalfToByte(v);
      return;
    case C::kSignedByte:
    case C::kQuarterHours:
      b[0] = CNvCodec::WholeLow(v);
      return;
    case C::kFlag:
      PutFieldFlag(f, record, v != 0);
      return;
    case C::kHoursMinutes:  // stored from its text by its page: TextToCalibrationTime
      return;
  }
}

TypedRange FieldRange(const SettingField& f) {
  if (f.lo <= f.hi) return {f.lo, f.hi};
  // By codec, in the order of SettingCodec.
  constexpr TypedRange kRanges[] = {kTempRange,     kTenthsWordRange, kTenthsWordRange, kWordRange,
                                    kHalfByteRange, kSignedByteRange, {0, 1},           {0, 96},
                                    kWordRange,     kWordRange};
  return kRanges[static_cast<int>(f.codec)];
}
