#include "CommandLine.h"

#include <QCommandLineParser>

namespace CommandLine {

namespace {

QString helpText() {
  return QStringLiteral(
      "Usage: tintwell [--help] [--version]\n"
      "\n"
      "Shows the color of the screen pixel under the mouse pointer in many notations at once:\n"
      "decimal, hexadecimal, a hexadecimal long, HSB, greyscale and CMYK, with a magnifier and\n"
      "a color mixer. Space freezes the readouts, F1 opens the about window, Esc quits.\n"
      "\n"
      "Options:\n"
      "  -h, --help     Show this help and exit.\n"
      "  -v, --version  Show the version and exit.\n"
      "\n"
      "The toolkit's own options (-platform, -style, -display ...) are accepted as well.\n");
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

}  // namespace

Outcome read(const QStringList& arguments, const QString& version) {
  QCommandLineParser parser;
  // "-platform xcb" is one option with a value, as the toolkit reads it.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(
      QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
  const QCommandLineOption showVersion(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  parser.addOption(help);
  parser.addOption(showVersion);
  acceptToolkitOptions(parser);
  if (!parser.parse(arguments)) {
    return Outcome{
        false, 2,
        QStringLiteral("tintwell: ") + parser.errorText() + QStringLiteral("\n\n") + helpText()};
  }
  if (!parser.positionalArguments().isEmpty()) {
    return Outcome{false, 2,
                   QStringLiteral("tintwell: unexpected argument '") +
                       parser.positionalArguments().constFirst() + QStringLiteral("'\n\n") +
                       helpText()};
  }
  if (parser.isSet(help)) return Outcome{false, 0, helpText()};
  if (parser.isSet(showVersion)) {
    return Outcome{false, 0, QStringLiteral("tintwell ") + version + QLatin1Char('\n')};
  }
  return Outcome{};
}

}  // namespace CommandLine
