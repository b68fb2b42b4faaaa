#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

namespace orvandel {

// A short text formatted once and copied into every line that uses it: the number of a
// column, a row or a cell, with or without the text that follows it.
template <std::size_t kRoom>
struct BasicTextPiece {
  static_assert(kRoom >= 16 && kRoom < 256);
  static constexpr std::size_t room = kRoom;

  std::array<char, kRoom> text{};
  std::uint8_t size = 0;
};

// Any number of number_text.h (at most kMaxNumberText characters) and a few characters
// after it.
using TextPiece = BasicTextPiece<79>;
// A whole number of number_text.h (at most 20 characters) and a few after it.
using NumberPiece = BasicTextPiece<23>;

// A piece of what write(begin) writes, returning its end; write must stay within
// Piece::room characters.
template <typename Piece, typename Write>
Piece MakePiece(Write&& write) {
  Piece piece;
  const auto size = static_cast<std::size_t>(write(piece.text.data()) - piece.text.data());
  assert(size <= Piece::room);
  piece.size = static_cast<std::uint8_t>(size);
  return piece;
}

// Adds one to the whole number, not below 0, that the first digits characters of piece
// hold; the text after them moves up when the number gains a digit. Numbers that count up
// one by one cost far less so than formatted afresh.
template <std::size_t kRoom>
void CountUp(BasicTextPiece<kRoom>& piece, std::size_t digits) {
  for (std::size_t i = digits; i-- > 0;) {
    if (piece.text[i] != '9') {
      ++piece.text[i];
      return;
    }
    piece.text[i] = '0';
  }
  assert(piece.size < kRoom);
  std::memmove(piece.text.data() + 1, piece.text.data(), piece.size);
  piece.text[0] = '1';
  ++piece.size;
}

// Copies piece to at and returns the end of its text. Writes up to room bytes from at on:
// short pieces, nearly all of them, are copied with one 16-byte store.
template <std::size_t kRoom>
char* PutPiece(char* at, const BasicTextPiece<kRoom>& piece) {
  std::memcpy(at, piece.text.data(), 16);
  if (piece.size > 16) std::memcpy(at + 16, piece.text.data() + 16, kRoom - 16);
  return at + piece.size;
}

}  // namespace orvandel
