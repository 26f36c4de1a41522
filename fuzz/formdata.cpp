// Stored form data: any text in; every section's keys read back as every kind with defaults.
// Nothing may crash, and a typed read always answers (its default when the value will not do).
#include <QString>
#include <cstdint>

#include "host/forms/FormData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  (void)host::parsePropertyValue(text);
  const host::FormData form = host::FormData::parse(text);
  for (const char* name : {"a", "b", "btn_Mixer", "hsbRGB(0)"}) {
    const host::PropertyBag* bag = form.bagFor(QString::fromLatin1(name));
    if (bag == nullptr) continue;
    for (const QString& key : bag->keys()) {
      (void)bag->readLong(key, 7);
      (void)bag->readInteger(key, 7);
      (void)bag->readSingle(key, 7.5f);
      (void)bag->readBool(key, true);
      (void)bag->readText(key, QStringLiteral("x"));
      (void)bag->readFont(key, host::FontValue{});
      (void)bag->readPicture(key, host::PictureRef{});
    }
  }
  return 0;
}
