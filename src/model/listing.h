// An engine's listing: its lines as they are kept and shown, and how the
// bytes it writes become lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace marquill {

// The longest line kept, in characters; a longer one is cut and marked so.
inline constexpr std::size_t kLongestLine = 32768;
// What ends a line that was cut.
inline constexpr std::string_view kCutMark = " \xE2\x80\xA6 [line cut at 32,768 characters]";

// Whether the engine marks `line` as present only in the destination: its
// first word, after the engine's leading tabs and blanks, begins with *EXTRA.
bool IsExtraLine(std::string_view line);

// Lines of UTF-8 text, kept in large blocks so that a million of them cost
// little more than their text.
class Listing {
 public:
  std::size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  std::string_view operator[](std::size_t index) const {
    const Line& line = lines_[index];
    return std::string_view(blocks_[line.block]).substr(line.offset, line.length);
  }
  // How many of the lines are marked *EXTRA.
  std::size_t extras() const { return extras_; }

  void Add(std::string_view line);
  // Adds every line of `other`, taking its blocks.
  void Append(Listing&& other);
  void Clear() { *this = Listing(); }
  // The lines at `indices` (every line when empty), each ended by CR LF.
  std::string Joined(const std::vector<std::size_t>& indices = {}) const;

 private:
  struct Line {
    std::uint32_t block;
    std::uint32_t offset;
    std::uint32_t length;
  };
  // The last block, made to have room for `size` more bytes.
  std::string& Room(std::size_t size);
  std::vector<std::string> blocks_;
  std::deque<Line> lines_;
  std::size_t extras_ = 0;
};

// Turns the bytes an engine writes into lines. UTF-16 LE when they begin
// with its byte-order mark or have zero bytes at odd offsets in the first
// lines; otherwise the OEM code page, through `fromOem`. Lines end at CR LF
// (or a lone LF); a lone CR starts the line over, as on a console. A NUL
// shows as U+FFFD.
class ListingDecoder {
 public:
  // Bytes in the OEM code page, as UTF-8.
  using FromOem = std::function<std::string(const std::string& bytes)>;
  explicit ListingDecoder(FromOem fromOem) : fromOem_(std::move(fromOem)) {}

  // Decodes `bytes`, adding each line they complete to `lines`.
  void Feed(std::string_view bytes, Listing& lines);
  // The output has ended: a last line without its end counts too.
  void Finish(Listing& lines);

 private:
  enum class Encoding { Unknown, Utf16, Oem };
  void Decide(bool final);
  // Decodes what it can of bytes_, of which the first `known` were there at
  // the last decoding.
  void Decode(bool final, Listing& lines, std::size_t known);
  // Adds the lines `text` ends, up to its first byte above ASCII when
  // `asciiOnly`; how much of it that was.
  std::size_t Split(std::string_view text, Listing& lines, bool asciiOnly = false);
  void AddText(std::string_view text);
  void EndLine(Listing& lines);

  FromOem fromOem_;
  Encoding encoding_ = Encoding::Unknown;
  std::string bytes_;  // not yet decoded
  std::string utf8_;   // what UTF-16 bytes decode to
  std::uint32_t highSurrogate_ = 0;
  std::string line_;  // the line so far
  // Its characters, counted only once it may be too long: until then its
  // bytes are few enough.
  std::size_t characters_ = 0;
  bool counted_ = false;
  bool cut_ = false;
  bool carriageReturn_ = false;  // the last character was a CR
};

}  // namespace marquill
