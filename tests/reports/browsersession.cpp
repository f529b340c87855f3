#include "browsersession.h"

#include "headlessbrowser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace headless {

namespace {

// A pipe whose ends lie above the descriptors the child is given (the browser reads the
// protocol from 3 and writes to 4), so that moving them there never overwrites one another.
bool highPipe(int ends[2])
{
    int raw[2];
    if (pipe(raw) != 0) return false;
    for (int i = 0; i < 2; ++i) {
        ends[i] = fcntl(raw[i], F_DUPFD_CLOEXEC, 10);
        close(raw[i]);
    }
    return ends[0] >= 0 && ends[1] >= 0;
}

}  // namespace

BrowserSession::BrowserSession(const QString& browser, const QString& profileFolder)
{
    int toChild[2], fromChild[2];
    if (browser.isEmpty() || !highPipe(toChild) || !highPipe(fromChild)) return;
    const int childReads = toChild[0], childWrites = fromChild[1];
    process_.setChildProcessModifier([childReads, childWrites] {
        dup2(childReads, 3);
        dup2(childWrites, 4);
    });
    // The browser's own complaints (no system bus and the like) are of no use here.
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(browser, QuietFlags(profileFolder) << "--mute-audio"
                                                      << "--hide-scrollbars"
                                                      << "--remote-debugging-pipe"
                                                      << "about:blank");
    close(childReads);
    close(childWrites);
    toBrowser_ = toChild[1];
    fromBrowser_ = fromChild[0];
    const QString target =
        command("Target.createTarget", {{"url", "about:blank"}}, false, 60000)["targetId"]
            .toString();
    sessionId_ = command("Target.attachToTarget", {{"targetId", target}, {"flatten", true}},
                         false)["sessionId"]
                     .toString();
    if (isOpen()) setViewport(1200, 800, false);
}

BrowserSession::~BrowserSession()
{
    if (isOpen()) command("Browser.close", {}, false, 5000);
    if (toBrowser_ >= 0) close(toBrowser_);
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    if (fromBrowser_ >= 0) close(fromBrowser_);
}

// Sends the command and reads the browser's messages (NUL-terminated JSON) until its answer;
// events are passed over.
QJsonObject BrowserSession::command(const QString& method, const QJsonObject& params, bool toPage,
                                    int timeoutMs)
{
    error_.clear();
    if (toBrowser_ < 0) return {};
    QJsonObject message{{"id", ++nextId_}, {"method", method}, {"params", params}};
    if (toPage) message.insert("sessionId", sessionId_);
    const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
    if (write(toBrowser_, bytes.constData(), bytes.size()) != bytes.size()) {
        error_ = QStringLiteral("the browser closed its pipe");
        return {};
    }
    QElapsedTimer clock;
    clock.start();
    while (true) {
        for (int end; (end = pending_.indexOf('\0')) >= 0;) {
            const QJsonObject reply = QJsonDocument::fromJson(pending_.left(end)).object();
            pending_.remove(0, end + 1);
            if (reply["id"].toInt() != nextId_) continue;
            error_ = reply["error"].toObject()["message"].toString();
            return reply["result"].toObject();
        }
        pollfd p{fromBrowser_, POLLIN, 0};
        char buffer[65536];
        const qint64 left = timeoutMs - clock.elapsed();
        const ssize_t n = left > 0 && poll(&p, 1, static_cast<int>(left)) > 0
                              ? read(fromBrowser_, buffer, sizeof buffer)
                              : 0;
        if (n <= 0) {
            error_ = QStringLiteral("no answer to %1 within %2 ms").arg(method).arg(timeoutMs);
            return {};
        }
        pending_.append(buffer, n);
    }
}

QJsonValue BrowserSession::evaluate(const QString& expression, int timeoutMs)
{
    const QJsonObject result = command("Runtime.evaluate",
                                       {{"expression", expression},
                                        {"awaitPromise", true},
                                        {"returnByValue", true},
                                        {"userGesture", true},
                                        {"timeout", timeoutMs}},
                                       true, timeoutMs + 5000);
    const QJsonObject thrown = result["exceptionDetails"].toObject();
    if (!thrown.isEmpty()) {
        error_ = thrown["exception"].toObject()["description"].toString();
        return QJsonValue(QJsonValue::Undefined);
    }
    return result["result"].toObject()["value"];
}

bool BrowserSession::waitFor(const QString& expression, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (evaluate("!!(" + expression + ")", timeoutMs).toBool()) return true;
        QThread::msleep(40);
    }
    error_ = QStringLiteral("not true within %1 ms: %2").arg(timeoutMs).arg(expression);
    return false;
}

bool BrowserSession::open(const QString& url, const QString& ready, int timeoutMs)
{
    // An address that differs only in its fragment would not load the page again: the blank
    // page comes between. The page being left is marked, so that waiting never reads it for
    // the new one.
    const QString leave = QStringLiteral("window.leftBehind = true, location.href.split('#')[0]");
    if (evaluate(leave).toString() == url.section(QLatin1Char('#'), 0, 0)) {
        command("Page.navigate", {{"url", "about:blank"}});
        if (!waitFor(QStringLiteral("!window.leftBehind"), timeoutMs)) return false;
        evaluate(leave);
    }
    command("Page.navigate", {{"url", url}});
    return waitFor("!window.leftBehind && (" + ready + ")", timeoutMs);
}

void BrowserSession::setViewport(int width, int height, bool phone)
{
    command("Emulation.setDeviceMetricsOverride",
            {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", phone}});
    command("Emulation.setTouchEmulationEnabled", {{"enabled", phone}, {"maxTouchPoints", 1}});
}

bool BrowserSession::pressEnter()
{
    const QJsonObject key{{"key", "Enter"}, {"code", "Enter"}, {"windowsVirtualKeyCode", 13}};
    QJsonObject down = key, up = key;
    down.insert("type", "keyDown");
    down.insert("text", "\r");
    up.insert("type", "keyUp");
    command("Input.dispatchKeyEvent", down);
    command("Input.dispatchKeyEvent", up);
    return error_.isEmpty();
}

bool BrowserSession::moveMouse(double x, double y)
{
    command("Input.dispatchMouseEvent", {{"type", "mouseMoved"}, {"x", x}, {"y", y}});
    return error_.isEmpty();
}

bool BrowserSession::tap(double x, double y)
{
    command("Input.synthesizeTapGesture", {{"x", x}, {"y", y}});
    return error_.isEmpty();
}

QByteArray BrowserSession::screenshot(const QString& name)
{
    const QByteArray png = QByteArray::fromBase64(
        command("Page.captureScreenshot", {{"format", "png"}})["data"].toString().toLatin1());
    const QString keep = qEnvironmentVariable("SPLITDUEL_KEEP_SCREENSHOTS");
    QFile file(QDir(keep).filePath(name));
    if (!keep.isEmpty() && !png.isEmpty() && file.open(QIODevice::WriteOnly)) file.write(png);
    return png;
}

}  // namespace headless
