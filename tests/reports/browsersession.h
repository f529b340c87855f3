#pragma once
// One headless Chromium driven through its DevTools protocol on a pipe (no network port): open
// a page, run script in it, press Enter, move the mouse, tap, take screenshots. The tests of
// the race viewer use it to act as a person would, and its benchmark to time what a person
// waits for.
#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QString>

namespace headless {

class BrowserSession {
public:
    // Starts the browser with a fresh profile in profileFolder; isOpen() tells whether it came
    // up.
    BrowserSession(const QString& browser, const QString& profileFolder);
    ~BrowserSession();
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    bool isOpen() const { return !sessionId_.isEmpty(); }
    QString error() const { return error_; }  // what went wrong last

    // Loads url and waits until the script expression ready is true; false on a timeout.
    bool open(const QString& url, const QString& ready, int timeoutMs = 30000);
    bool waitFor(const QString& expression, int timeoutMs = 30000);
    // The value of the expression (a promise is awaited); undefined, with error() set, when it
    // threw or did not finish.
    QJsonValue evaluate(const QString& expression, int timeoutMs = 30000);

    // A phone (touch, narrow) or a desktop window of that size.
    void setViewport(int width, int height, bool phone);
    bool pressEnter();  // on the focused element
    bool moveMouse(double x, double y);
    bool tap(double x, double y);
    // The window as PNG, kept as name in SPLITDUEL_KEEP_SCREENSHOTS when that names a folder.
    QByteArray screenshot(const QString& name);

    // One protocol command of the page (of the browser when toPage is false): its result, or
    // an empty object with error() set.
    QJsonObject command(const QString& method, const QJsonObject& params = {}, bool toPage = true,
                        int timeoutMs = 30000);

private:
    QProcess process_;
    int toBrowser_ = -1;
    int fromBrowser_ = -1;
    QByteArray pending_;
    int nextId_ = 0;
    QString sessionId_;
    QString error_;
};

}  // namespace headless
