#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "aspects/aspect_kind.h"

namespace orbisca {

struct Rgb {
  unsigned char r, g, b;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kHeadingColour{128, 0, 0};  // dark red
inline constexpr Rgb kParagraphColour{0, 0, 0};

// Where the aspect step writes: one result box and one cover frame per kind.
// The results window implements it; PlainResults serves the command and tests.
class ResultsSink {
 public:
  virtual ~ResultsSink() = default;
  // Style of the text inserted next into the kind's box.
  virtual void SetInsertStyle(AspectKind kind, bool bold, Rgb colour) = 0;
  // The kind's box is about to receive `bytes` of text in all; a sink that
  // can make room at once does so.
  virtual void Reserve(AspectKind /*kind*/, std::size_t /*bytes*/) {}
  // Appends text at the caret of the kind's box; line breaks are CR LF.
  virtual void InsertText(AspectKind kind, std::string_view text) = 0;
  // The cover "No Planet is present in this aspect." over the kind's description.
  virtual void BringCoverToFront(AspectKind kind) = 0;
  virtual void SendCoverToBack(AspectKind kind) = 0;
};

// Keeps each box's plain text and whether its cover is in front.
class PlainResults final : public ResultsSink {
 public:
  void SetInsertStyle(AspectKind, bool, Rgb) override {}
  void Reserve(AspectKind kind, std::size_t bytes) override {
    std::string& box = boxes_[Index(kind)];
    box.reserve(box.size() + bytes);
  }
  void InsertText(AspectKind kind, std::string_view text) override { boxes_[Index(kind)] += text; }
  void BringCoverToFront(AspectKind kind) override { covered_[Index(kind)] = true; }
  void SendCoverToBack(AspectKind kind) override { covered_[Index(kind)] = false; }

  const std::string& Text(AspectKind kind) const { return boxes_[Index(kind)]; }
  bool Covered(AspectKind kind) const { return covered_[Index(kind)]; }

 private:
  std::array<std::string, kAspectKindCount> boxes_;
  std::array<bool, kAspectKindCount> covered_{};
};

}  // namespace orbisca
