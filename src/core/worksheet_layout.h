// The worksheet's shape: two header lines, then eight lines per measured place, one
// field per catalog channel from field 6 on. Shared by every reader and writer.
#pragma once

namespace mireva {

enum class BlockRow { Frequency = 0, LocalOsc, Level, BerA, Ber, BerC, Mer, Cn };

inline constexpr int kRowsPerPlace = 8;
inline constexpr int kLeadingFields = 5;  // 日付, 時刻, 測定場所, 測定モード, レベルオフセット(dB)
inline constexpr int kFieldsPerRow = 515;  // leading fields + 510 channels
inline constexpr int kHeaderLines = 2;
inline constexpr int kGridRowsPerPlace = 6;  // the grid hides BER A and BER C

// 0-based field index of a channel in a block row.
inline constexpr int channelField(int channelIndex) { return kLeadingFields + channelIndex; }

// Block rows shown by the grid, in grid order.
inline constexpr BlockRow kGridRows[kGridRowsPerPlace] = {BlockRow::Frequency, BlockRow::LocalOsc, BlockRow::Level,
                                                          BlockRow::Ber,       BlockRow::Mer,      BlockRow::Cn};

}  // namespace mireva
