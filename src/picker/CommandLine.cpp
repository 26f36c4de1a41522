#include "CommandLine.h"

#include <QCommandLineParser>
#include <optional>

namespace CommandLine {

namespace {

// The notations' names, in their order, wrapped to the help text's column.
QString notationNames() {
  QString out, line;
  for (const ColorText::Notation n : ColorText::kNotations) {
    const std::string_view view = ColorText::nameOf(n);
    const QString name = QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size()));
    if (!line.isEmpty() && line.size() + name.size() + 2 > 58) {
      out += line + QStringLiteral(",\n                   ");
      line.clear();
    }
    line += (line.isEmpty() ? QString() : QStringLiteral(", ")) + name;
  }
  return out + line;
}

QString helpText() {
  return QStringLiteral(
             "Usage: tintwell [--help] [--version]\n"
             "       tintwell --at X,Y [--format NAMES] [--copy]\n"
             "       tintwell --pick [--format NAMES] [--copy]\n"
             "\n"
             "Shows the color of the screen pixel under the mouse pointer in many notations at "
             "once:\n"
             "decimal, hexadecimal, a hexadecimal long, HSB, greyscale and CMYK, with a magnifier "
             "and\n"
             "a color mixer. Space freezes the readouts, F1 opens the about window, Esc quits.\n"
             "\n"
             "Options:\n"
             "  -h, --help       Show this help and exit.\n"
             "  -v, --version    Show the version and exit.\n"
             "  --at X,Y         Print the color of the screen pixel at X,Y and exit, with no "
             "window.\n"
             "                   Physical pixels from the primary monitor's top-left corner, "
             "negative\n"
             "                   left of or above it.\n"
             "  --pick           Pick a pixel with the pointer (arrow keys: one pixel, Shift: "
             "ten),\n"
             "                   then print its color: click or Enter picks, Esc or a right click\n"
             "                   cancels.\n"
             "  --format NAMES   The notations to print, one line each, in this order: one name or "
             "a\n"
             "                   comma-separated list (default html). The names:\n"
             "                   %1\n"
             "  --copy           Also put the first notation on the clipboard, kept there after "
             "the\n"
             "                   command ends until something else is copied.\n"
             "\n"
             "Exit status of --at and --pick: 0 printed; 1 cancelled (or no display); 2 no monitor "
             "at\n"
             "X,Y; 3 the screen cannot be read; 64 a bad argument.\n"
             "\n"
             "The toolkit's own options (-platform, -style, -display ...) are accepted as well.\n")
      .arg(notationNames());
}

// The toolkit's options, which its application object takes out of the arguments itself.
void acceptToolkitOptions(QCommandLineParser& parser) {
  const char* withValue[] = {
      "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
      "qwindowtitle", "qwindowicon",        "style",         "stylesheet", "session",
      "display",      "geometry",           "name",          "title",      "visual",
      "qmljsdebugger"};
  const char* flags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb", "qdebug"};
  for (const char* o : withValue) {
    QCommandLineOption option(QString::fromLatin1(o), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* o : flags) {
    QCommandLineOption option(QString::fromLatin1(o));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

// One coordinate: an optional minus and one to six decimal digits, nothing else (no sign, space
// or leading zero run that a number reader would let through silently).
std::optional<int> coordinate(QStringView text) {
  const bool negative = text.startsWith(u'-');
  const QStringView digits = negative ? text.mid(1) : text;
  if (digits.isEmpty() || digits.size() > 6) return std::nullopt;
  int value = 0;
  for (const QChar c : digits) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
  }
  return negative ? -value : value;
}

std::optional<QPoint> point(const QString& text) {
  const qsizetype comma = text.indexOf(u',');
  if (comma < 0) return std::nullopt;
  const auto x = coordinate(QStringView(text).left(comma));
  const auto y = coordinate(QStringView(text).mid(comma + 1));
  if (!x || !y) return std::nullopt;
  return QPoint(*x, *y);
}

// The program ends at once with `status`, printing `text`.
Outcome ending(int status, const QString& text) {
  Outcome out;
  out.run = false;
  out.status = status;
  out.text = text;
  return out;
}

// A bad argument of a command: one line, for scripts.
Outcome usage(const QString& problem) {
  return ending(kUsage, QStringLiteral("tintwell: ") + problem + QLatin1Char('\n'));
}

// Printable ASCII and short, for echoing what was given.
QString shown(const QString& text) {
  QString out;
  for (const QChar c : text.left(40))
    out += c.unicode() >= 0x20 && c.unicode() < 0x7F ? c : QChar(u'?');
  return text.size() > 40 ? out + QStringLiteral("...") : out;
}

}  // namespace

Outcome read(const QStringList& arguments, const QString& version) {
  QCommandLineParser parser;
  // "-platform xcb" is one option with a value, as the toolkit reads it.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(
      QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
  const QCommandLineOption showVersion(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption at(QStringLiteral("at"), QString(), QStringLiteral("X,Y"));
  const QCommandLineOption pick(QStringLiteral("pick"));
  const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("NAMES"));
  const QCommandLineOption copy(QStringLiteral("copy"));
  for (const QCommandLineOption* o : {&help, &showVersion, &at, &pick, &format, &copy})
    parser.addOption(*o);
  acceptToolkitOptions(parser);
  const bool parsed = parser.parse(arguments);
  // A command's bad argument is one line and its own status: a script tells it from the
  // command's answers. (An unknown option names itself; the window's keeps its help text.)
  const bool command = parser.isSet(at) || parser.isSet(pick);
  if (!parsed) {
    if (command) return usage(parser.errorText());
    return ending(
        2, QStringLiteral("tintwell: ") + parser.errorText() + QStringLiteral("\n\n") + helpText());
  }
  if (!parser.positionalArguments().isEmpty()) {
    const QString unexpected = QStringLiteral("unexpected argument '") +
                               shown(parser.positionalArguments().constFirst()) + QLatin1Char('\'');
    if (command) return usage(unexpected);
    return ending(2,
                  QStringLiteral("tintwell: ") + unexpected + QStringLiteral("\n\n") + helpText());
  }
  if (parser.isSet(help)) return ending(0, helpText());
  if (parser.isSet(showVersion))
    return ending(0, QStringLiteral("tintwell ") + version + QLatin1Char('\n'));
  for (const QCommandLineOption* o : {&at, &format}) {
    if (parser.values(*o).size() > 1)
      return usage(QStringLiteral("--%1 is given more than once").arg(o->names().constFirst()));
  }
  if (!command) {
    for (const QCommandLineOption* o : {&format, &copy}) {
      if (parser.isSet(*o))
        return usage(QStringLiteral("--%1 needs --at or --pick").arg(o->names().constFirst()));
    }
    return Outcome{};
  }
  if (parser.isSet(at) && parser.isSet(pick))
    return usage(QStringLiteral("--at or --pick, not both"));

  Outcome out;
  out.copy = parser.isSet(copy);
  if (parser.isSet(at)) {
    const std::optional<QPoint> p = point(parser.value(at));
    if (!p) {
      return usage(QStringLiteral("--at wants X,Y in whole pixels (up to six digits each), not '") +
                   shown(parser.value(at)) + QLatin1Char('\''));
    }
    out.mode = Mode::At;
    out.at = *p;
  } else {
    out.mode = Mode::Pick;
  }
  const QByteArray names =
      parser.isSet(format) ? parser.value(format).toUtf8() : QByteArrayLiteral("html");
  ColorText::NotationList list =
      ColorText::parseNotations(std::string_view(names.constData(), std::size_t(names.size())));
  if (!list.ok()) return usage(QStringLiteral("--format: ") + QString::fromStdString(list.error));
  out.notations = std::move(list.notations);
  return out;
}

}  // namespace CommandLine
