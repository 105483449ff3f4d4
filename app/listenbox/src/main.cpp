// Listenbox FILE: plays a WAV, DSS or VOX file (the companion player that Import starts on a
// double click). Options for VOX files, which carry neither encoding nor rate:
// --vox-encoding adpcm|ulaw|alaw and --rate N.

#include "listenbox/ListenWindow.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <map>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Listenbox"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays a WAV, DSS or VOX dictation."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The WAV, DSS or VOX file."));
    const QCommandLineOption encoding(QStringLiteral("vox-encoding"),
                                      QStringLiteral("Encoding of a VOX file: adpcm (default), "
                                                     "ulaw or alaw."),
                                      QStringLiteral("name"), QStringLiteral("adpcm"));
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("Samples per second of a VOX file (8000)."),
                                  QStringLiteral("n"), QStringLiteral("8000"));
    parser.addOption(encoding);
    parser.addOption(rate);
    parser.process(app);

    const std::map<QString, uint32_t> encodings = {
        {QStringLiteral("adpcm"), 23}, {QStringLiteral("ulaw"), 7}, {QStringLiteral("alaw"), 6}};
    const auto code = encodings.find(parser.value(encoding));
    bool rateOk = false;
    const uint32_t samplesPerSecond = parser.value(rate).toUInt(&rateOk);
    if (parser.positionalArguments().size() != 1 || code == encodings.end() || !rateOk ||
        samplesPerSecond == 0) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }

    listenbox::ListenWindow window;
    const QString file = parser.positionalArguments().front();
    if (!window.openFile(file, {code->second, samplesPerSecond}))
        std::fprintf(stderr, "Listenbox: cannot open %s\n", qPrintable(file));
    window.show();
    return QApplication::exec();
}
