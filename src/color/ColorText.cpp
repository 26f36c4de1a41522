#include "ColorText.h"

namespace ColorText {

namespace {

void appendByte(std::string& out, int byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[(byte >> 4) & 0xF];
  out += kDigits[byte & 0xF];
}

std::string bytes(int first, int second, int third) {
  std::string out;
  appendByte(out, first);
  appendByte(out, second);
  appendByte(out, third);
  return out;
}

}  // namespace

std::string hex(host::ColorRef c) {
  return bytes(host::redOf(c), host::greenOf(c), host::blueOf(c));
}

std::string html(host::ColorRef c) {
  return "#" + hex(c);
}

std::string vbLong(host::ColorRef c) {
  return "&H" + bytes(host::blueOf(c), host::greenOf(c), host::redOf(c)) + "&";
}

std::string decimal(int channel) {
  const std::string plain = std::to_string(channel);
  return channel < 10 ? "0" + plain : plain;
}

}  // namespace ColorText
