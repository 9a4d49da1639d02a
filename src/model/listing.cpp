// An engine's listing: its lines as they are kept and shown, and how the
// bytes it writes become lines.
#include "model/listing.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace marquill {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
// Enough of the output to tell UTF-16 by its zero bytes when no line has
// ended yet.
constexpr std::size_t kDecideAfter = 512;
// A run of OEM bytes is converted up to a byte below 0x40: no double-byte
// code page uses those as the second byte of a character, so no character
// is split. A longer run without one is converted all the same.
constexpr unsigned char kNeverTrailing = 0x40;
constexpr std::size_t kLongestUnbroken = 65536;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// Writes `code` at `out` in UTF-8; where it ends.
char* AppendUtf8(char* out, std::uint32_t code) {
  if (code < 0x80) {
    *out++ = static_cast<char>(code);
  } else if (code < 0x800) {
    *out++ = static_cast<char>(0xC0 | (code >> 6));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (code >> 12));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (code >> 18));
    *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

// Where `text` next holds a CR, an LF or a NUL from `at` on, or, when
// `asciiOnly`, a byte above ASCII: eight bytes at a time while none of them
// does.
std::size_t NextBreak(std::string_view text, std::size_t at, bool asciiOnly) {
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
  const auto holdsZero = [](std::uint64_t word) { return (word - kOnes) & ~word & kHigh; };
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if (holdsZero(word) | holdsZero(word ^ (kOnes * '\r')) | holdsZero(word ^ (kOnes * '\n')) |
        (asciiOnly ? word & kHigh : 0))
      break;
  }
  for (; at < text.size(); ++at) {
    const unsigned char c = Byte(text[at]);
    if (c == '\r' || c == '\n' || c == '\0' || (c >= 0x80 && asciiOnly)) break;
  }
  return at;
}

bool IsSurrogate(std::uint32_t unit, std::uint32_t first) {
  return unit >= first && unit <= first + 0x3FF;
}

}  // namespace

bool IsExtraLine(std::string_view line) {
  std::size_t word = 0;
  while (word < line.size() && (line[word] == ' ' || line[word] == '\t')) ++word;
  return line.substr(word).starts_with("*EXTRA");
}

std::string& Listing::Room(std::size_t size) {
  if (blocks_.empty() || blocks_.back().size() + size > blocks_.back().capacity()) {
    blocks_.emplace_back();
    blocks_.back().reserve(std::max(kBlockSize, size));
  }
  return blocks_.back();
}

void Listing::Add(std::string_view line) {
  std::string& block = Room(line.size());
  lines_.push_back({static_cast<std::uint32_t>(blocks_.size() - 1),
                    static_cast<std::uint32_t>(block.size()),
                    static_cast<std::uint32_t>(line.size())});
  block.append(line);
  if (IsExtraLine(line)) ++extras_;
}

void Listing::Append(Listing&& other) {
  const auto first = static_cast<std::uint32_t>(blocks_.size());
  for (std::string& block : other.blocks_) {
    // A batch of a few lines gives back the rest of its block.
    if (block.size() < block.capacity() / 2) block.shrink_to_fit();
    blocks_.push_back(std::move(block));
  }
  for (const Line& line : other.lines_)
    lines_.push_back({first + line.block, line.offset, line.length});
  extras_ += other.extras_;
  other.Clear();
}

std::string Listing::Joined(const std::vector<std::size_t>& indices) const {
  const std::size_t count = indices.empty() ? size() : indices.size();
  auto at = [&](std::size_t i) { return (*this)[indices.empty() ? i : indices[i]]; };
  std::size_t length = 0;
  for (std::size_t i = 0; i < count; ++i) length += at(i).size() + 2;
  std::string text;
  text.reserve(length);
  for (std::size_t i = 0; i < count; ++i) text.append(at(i)).append("\r\n");
  return text;
}

void ListingDecoder::Feed(std::string_view bytes, Listing& lines) {
  bytes_.append(bytes);
  // Bytes kept while undecided are all new to the first decoding.
  const bool deciding = encoding_ == Encoding::Unknown;
  if (deciding) Decide(false);
  if (encoding_ != Encoding::Unknown)
    Decode(false, lines, deciding ? 0 : bytes_.size() - bytes.size());
}

void ListingDecoder::Finish(Listing& lines) {
  if (encoding_ == Encoding::Unknown) Decide(true);
  Decode(true, lines, 0);
  carriageReturn_ = false;
  if (!line_.empty()) EndLine(lines);
}

void ListingDecoder::Decide(bool final) {
  if (bytes_.size() >= 2 && Byte(bytes_[0]) == 0xFF && Byte(bytes_[1]) == 0xFE) {
    encoding_ = Encoding::Utf16;
    bytes_.erase(0, 2);
    return;
  }
  // The first line is whole once its LF and the byte after it have come.
  const std::size_t newline = bytes_.find('\n');
  const bool lineSeen = newline != std::string::npos && newline + 1 < bytes_.size();
  if (!final && !lineSeen && bytes_.size() < kDecideAfter) return;
  std::size_t zeros[2] = {0, 0};  // at even and at odd offsets
  for (std::size_t i = 0; i < std::min(bytes_.size(), kDecideAfter); ++i)
    if (bytes_[i] == '\0') ++zeros[i % 2];
  encoding_ = zeros[1] > 0 && zeros[1] >= zeros[0] ? Encoding::Utf16 : Encoding::Oem;
}

void ListingDecoder::Decode(bool final, Listing& lines, std::size_t known) {
  std::string converted;
  std::string_view text;
  std::size_t used = 0;
  if (encoding_ == Encoding::Utf16) {
    // Three bytes of UTF-8 at most for every two of UTF-16, in a buffer kept
    // from one read to the next.
    if (utf8_.size() < bytes_.size() / 2 * 3 + 4) utf8_.resize(bytes_.size() / 2 * 3 + 4);
    char* out = utf8_.data();
    for (; used + 1 < bytes_.size(); used += 2) {
      // Most of a listing is ASCII: four characters at a time while it is.
      if constexpr (std::endian::native == std::endian::little) {
        for (std::uint64_t four; !highSurrogate_ && used + 8 <= bytes_.size(); used += 8) {
          std::memcpy(&four, bytes_.data() + used, 8);
          if (four & 0xFF80FF80FF80FF80) break;
          for (int shift = 0; shift < 64; shift += 16) *out++ = static_cast<char>(four >> shift);
        }
        if (used + 1 >= bytes_.size()) break;
      }
      std::uint32_t unit = Byte(bytes_[used]) | (std::uint32_t{Byte(bytes_[used + 1])} << 8);
      if (unit < 0x80 && !highSurrogate_) {
        *out++ = static_cast<char>(unit);
        continue;
      }
      if (highSurrogate_ && IsSurrogate(unit, 0xDC00)) {
        out = AppendUtf8(out, 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
        highSurrogate_ = 0;
        continue;
      }
      if (highSurrogate_) out = AppendUtf8(out, 0xFFFD);
      highSurrogate_ = IsSurrogate(unit, 0xD800) ? unit : 0;
      if (!highSurrogate_) out = AppendUtf8(out, IsSurrogate(unit, 0xDC00) ? 0xFFFD : unit);
    }
    if (final && (highSurrogate_ || used < bytes_.size())) {
      out = AppendUtf8(out, 0xFFFD);
      highSurrogate_ = 0;
      used = bytes_.size();
    }
    text = std::string_view(utf8_.data(), static_cast<std::size_t>(out - utf8_.data()));
  } else {
    used = bytes_.size();
    if (!final) {
      // The bytes kept from before hold no such byte: only the new ones are
      // searched.
      const auto from = bytes_.rbegin() + static_cast<std::ptrdiff_t>(bytes_.size() - known);
      const auto safe =
          std::find_if(bytes_.rbegin(), from, [](char c) { return Byte(c) < kNeverTrailing; });
      used = safe == from ? 0 : static_cast<std::size_t>(bytes_.rend() - safe);
      if (used == 0 && bytes_.size() > kLongestUnbroken) used = bytes_.size();
    }
    // ASCII is the same in every OEM code page, and no byte of it starts a
    // character of two: most listings need no conversion at all, and the
    // rest only from their first byte above ASCII.
    const std::size_t ascii = Split(std::string_view(bytes_).substr(0, used), lines, true);
    if (ascii < used) text = converted = fromOem_(bytes_.substr(ascii, used - ascii));
  }
  bytes_.erase(0, used);
  Split(text, lines);
}

std::size_t ListingDecoder::Split(std::string_view text, Listing& lines, bool asciiOnly) {
  std::size_t start = 0;
  while (start < text.size()) {
    if (carriageReturn_ && text[start] != '\r') {
      carriageReturn_ = false;
      if (text[start] == '\n') {
        EndLine(lines);
        ++start;
        continue;
      }
      // A lone CR: what follows overwrites the line, as on a console.
      line_.clear();
      counted_ = false;
      cut_ = false;
    }
    const std::size_t stop = NextBreak(text, start, asciiOnly);
    if (stop < text.size() && Byte(text[stop]) >= 0x80) {
      AddText(text.substr(start, stop - start));
      return stop;
    }
    // A whole line ended by CR LF, the usual case, goes straight to the lines.
    if (line_.empty() && !cut_ && stop + 1 < text.size() && text[stop] == '\r' &&
        text[stop + 1] == '\n' && stop - start <= kLongestLine) {
      lines.Add(text.substr(start, stop - start));
      start = stop + 2;
      continue;
    }
    AddText(text.substr(start, stop - start));
    if (stop == text.size()) break;
    start = stop + 1;
    if (text[stop] == '\n')
      EndLine(lines);
    else if (text[stop] == '\r')
      carriageReturn_ = true;
    else
      AddText(kReplacement);
  }
  return text.size();
}

void ListingDecoder::AddText(std::string_view text) {
  if (cut_ || text.empty()) return;
  // No more bytes than the longest line has characters: no need to count.
  if (!counted_ && line_.size() + text.size() <= kLongestLine) {
    line_.append(text);
    return;
  }
  auto starts = [](char c) { return (Byte(c) & 0xC0) != 0x80; };
  if (!counted_)
    characters_ = static_cast<std::size_t>(std::count_if(line_.begin(), line_.end(), starts));
  counted_ = true;
  std::size_t end = 0;
  for (; end < text.size(); ++end) {
    if (!starts(text[end])) continue;  // within a character
    if (characters_ == kLongestLine) {
      cut_ = true;
      break;
    }
    ++characters_;
  }
  line_.append(text.substr(0, end));
}

void ListingDecoder::EndLine(Listing& lines) {
  if (cut_) line_.append(kCutMark);
  lines.Add(line_);
  line_.clear();
  counted_ = false;
  cut_ = false;
}

}  // namespace marquill
