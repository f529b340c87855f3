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

// The browser reads the protocol from its descriptor 3 and writes to 4.
constexpr int BrowserReads = 3;
constexpr int BrowserWrites = 4;

// A pipe whose ends lie above the descriptors the child is given, so that moving them into
// place never overwrites one another.
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

struct KeyCode {
    const char* key;
    const char* code;
    int virtualKey;
    const char* text;
};

const KeyCode Keys[] = {
    {"Enter", "Enter", 13, "\r"},
    {" ", "Space", 32, " "},
    {"Tab", "Tab", 9, ""},
    {"Escape", "Escape", 27, ""},
    {"ArrowDown", "ArrowDown", 40, ""},
    {"ArrowUp", "ArrowUp", 38, ""},
};

}  // namespace

BrowserSession::BrowserSession(const QString& browser, const QString& profileFolder, int width,
                               int height)
{
    int toChild[2], fromChild[2];
    if (browser.isEmpty() || !highPipe(toChild) || !highPipe(fromChild)) {
        error_ = QStringLiteral("no browser or no pipe");
        return;
    }
    const int childReads = toChild[0], childWrites = fromChild[1];
    process_.setChildProcessModifier([childReads, childWrites] {
        dup2(childReads, BrowserReads);
        dup2(childWrites, BrowserWrites);
    });
    // The browser's own complaints (no system bus and the like) are of no use here.
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start(browser, QuietFlags(profileFolder)
                                << "--mute-audio"
                                << "--hide-scrollbars"
                                << "--remote-debugging-pipe"
                                << QStringLiteral("--window-size=%1,%2").arg(width).arg(height)
                                << "about:blank");
    close(childReads);
    close(childWrites);
    toBrowser_ = toChild[1];
    fromBrowser_ = fromChild[0];
    if (!process_.waitForStarted(30000)) {
        error_ = QStringLiteral("the browser did not start");
        return;
    }
    const QJsonObject created =
        command("Target.createTarget", {{"url", "about:blank"}}, false, 60000);
    const QString target = created["targetId"].toString();
    if (target.isEmpty()) return;
    const QJsonObject attached =
        command("Target.attachToTarget", {{"targetId", target}, {"flatten", true}}, false);
    sessionId_ = attached["sessionId"].toString();
    if (isOpen()) {
        command("Page.enable");
        setViewport(width, height, false);
    }
}

BrowserSession::~BrowserSession()
{
    if (toBrowser_ >= 0) {
        send({{"id", ++nextId_}, {"method", "Browser.close"}});
        close(toBrowser_);
    }
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    if (fromBrowser_ >= 0) close(fromBrowser_);
}

bool BrowserSession::send(const QJsonObject& message)
{
    const QByteArray bytes = QJsonDocument(message).toJson(QJsonDocument::Compact) + '\0';
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(toBrowser_, bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            error_ = QStringLiteral("the browser closed its pipe");
            return false;
        }
        written += n;
    }
    return true;
}

// Reads what the browser has written within the time, splitting it into messages.
bool BrowserSession::readMessages(int timeoutMs)
{
    pollfd p{fromBrowser_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    char buffer[65536];
    const ssize_t n = read(fromBrowser_, buffer, sizeof buffer);
    if (n <= 0) return false;
    pending_.append(buffer, n);
    for (int end; (end = pending_.indexOf('\0')) >= 0;) {
        received_ << QJsonDocument::fromJson(pending_.left(end)).object();
        pending_.remove(0, end + 1);
    }
    return true;
}

QJsonObject BrowserSession::awaitReply(int id, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (true) {
        for (qsizetype i = 0; i < received_.size(); ++i) {
            if (received_[i]["id"].toInt() != id) continue;
            const QJsonObject reply = received_.takeAt(i);
            if (reply.contains("error")) error_ = reply["error"].toObject()["message"].toString();
            return reply["result"].toObject();
        }
        // Events are not waited for: they are dropped so that they do not pile up.
        received_.clear();
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || !readMessages(static_cast<int>(left))) {
            if (clock.elapsed() >= timeoutMs) {
                error_ = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
                return {};
            }
        }
    }
}

QJsonObject BrowserSession::command(const QString& method, const QJsonObject& params, bool toPage,
                                    int timeoutMs)
{
    if (toBrowser_ < 0) return {};
    QJsonObject message{{"id", ++nextId_}, {"method", method}, {"params", params}};
    if (toPage) message.insert("sessionId", sessionId_);
    error_.clear();
    if (!send(message)) return {};
    return awaitReply(nextId_, timeoutMs);
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
    if (result.contains("exceptionDetails")) {
        const QJsonObject details = result["exceptionDetails"].toObject();
        error_ = details["exception"].toObject()["description"].toString();
        if (error_.isEmpty()) error_ = details["text"].toString();
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
    const QString current =
        evaluate(QStringLiteral("window.leftBehind = true, location.href.split('#')[0]"))
            .toString();
    if (current == url.section(QLatin1Char('#'), 0, 0)) {
        command("Page.navigate", {{"url", "about:blank"}});
        if (!waitFor(QStringLiteral("!window.leftBehind"), timeoutMs)) return false;
        evaluate(QStringLiteral("window.leftBehind = true"));
    }
    command("Page.navigate", {{"url", url}});
    return waitFor("!window.leftBehind && (" + ready + ")", timeoutMs);
}

bool BrowserSession::setViewport(int width, int height, bool phone)
{
    command("Emulation.setDeviceMetricsOverride",
            {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", phone}});
    command("Emulation.setTouchEmulationEnabled", {{"enabled", phone}, {"maxTouchPoints", 1}});
    return error_.isEmpty();
}

bool BrowserSession::pressKey(const QString& key)
{
    for (const KeyCode& k : Keys) {
        if (key != QLatin1String(k.key)) continue;
        QJsonObject event{{"key", k.key},
                          {"code", k.code},
                          {"windowsVirtualKeyCode", k.virtualKey},
                          {"nativeVirtualKeyCode", k.virtualKey}};
        QJsonObject down = event;
        down.insert("type", *k.text ? "keyDown" : "rawKeyDown");
        if (*k.text) down.insert("text", k.text);
        command("Input.dispatchKeyEvent", down);
        event.insert("type", "keyUp");
        command("Input.dispatchKeyEvent", event);
        return error_.isEmpty();
    }
    error_ = "unknown key " + key;
    return false;
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
    if (!keep.isEmpty() && !png.isEmpty()) {
        QFile file(QDir(keep).filePath(name));
        if (file.open(QIODevice::WriteOnly)) file.write(png);
    }
    return png;
}

}  // namespace headless
