#pragma once
// One headless Chromium driven through its DevTools protocol on a pipe (no network port): open
// a page, run script in it, press keys, take screenshots. The tests of the race viewer use it to
// act as a person would, and its benchmark to time what a person waits for.
#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>

namespace headless {

class BrowserSession {
public:
    // Starts the browser with a fresh profile in profileFolder; isOpen() tells whether it came
    // up. The window is width x height CSS pixels.
    BrowserSession(const QString& browser, const QString& profileFolder, int width = 1200,
                   int height = 800);
    ~BrowserSession();
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    bool isOpen() const { return !sessionId_.isEmpty(); }
    // What went wrong last, for a test's message.
    QString error() const { return error_; }

    // Loads url and waits until the script expression ready is true; false on a timeout.
    bool open(const QString& url, const QString& ready, int timeoutMs = 30000);
    // Waits until the expression is true; false on a timeout.
    bool waitFor(const QString& expression, int timeoutMs = 30000);
    // The value of the expression (a promise is awaited), or undefined with error() set when
    // it threw or did not finish.
    QJsonValue evaluate(const QString& expression, int timeoutMs = 30000);

    // A phone (touch, narrow) or a desktop window of that size.
    bool setViewport(int width, int height, bool phone);
    // A key pressed and released on the focused element: "Enter", " ", "Tab".
    bool pressKey(const QString& key);
    // The mouse moved to, or a tap at, a point of the page (CSS pixels).
    bool moveMouse(double x, double y);
    bool tap(double x, double y);
    // The window as PNG; kept as name in SPLITDUEL_KEEP_SCREENSHOTS when that is set.
    QByteArray screenshot(const QString& name);

    // One protocol command of the page (or of the browser when toPage is false); the result,
    // or an empty object with error() set.
    QJsonObject command(const QString& method, const QJsonObject& params = {}, bool toPage = true,
                        int timeoutMs = 30000);

private:
    bool send(const QJsonObject& message);
    QJsonObject awaitReply(int id, int timeoutMs);
    bool readMessages(int timeoutMs);

    QProcess process_;
    int toBrowser_ = -1;
    int fromBrowser_ = -1;
    QByteArray pending_;
    QList<QJsonObject> received_;
    int nextId_ = 0;
    QString sessionId_;
    QString error_;
};

}  // namespace headless
