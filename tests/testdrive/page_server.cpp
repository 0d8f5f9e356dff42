#include "testdrive/page_server.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <cstdio>
#include <sstream>

#include "files/ini_file.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"

namespace testdrive {

PageServer::PageServer() {
  setProxy(QNetworkProxy::NoProxy);
  connect(this, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = nextPendingConnection()) {
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
    }
  });
}

bool PageServer::Listen(std::string& error) {
  if (listen(QHostAddress::LocalHost, 0)) return true;
  error = "cannot listen on 127.0.0.1: " + errorString().toStdString();
  return false;
}

void PageServer::SetAnswer(int status, const std::string& body) {
  status_ = status;
  body_ = body;
}

std::string PageServer::Address() const {
  return "http://127.0.0.1:" + std::to_string(serverPort()) + "/page.txt";
}

void PageServer::Answer(QTcpSocket* socket) {
  // The request is taken up to its blank line (a GET has no body), then
  // answered once.
  const QByteArray request = socket->property("request").toByteArray() + socket->readAll();
  socket->setProperty("request", request);
  if (!request.contains("\r\n\r\n") || socket->property("answered").toBool()) return;
  socket->setProperty("answered", true);
  const char* reason = status_ == 200 ? "OK" : status_ == 404 ? "Not Found" : "Status";
  const QByteArray body = QByteArray::fromStdString(body_);
  socket->write("HTTP/1.1 " + QByteArray::number(status_) + ' ' + reason +
                "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
                "\r\nConnection: close\r\n\r\n" + body);
  socket->disconnectFromHost();
}

bool ServePage(TForm1& form, std::unique_ptr<PageServer>& server, const std::string& rest, std::string& error) {
  std::istringstream in(rest);
  std::string code, body;
  in >> code;
  std::getline(in >> std::ws, body);
  const auto status = ParseInt(code);
  if (!status || *status < 100 || *status > 599) {
    error = "bad status: serve " + rest;
    return false;
  }
  if (!server) {
    server = std::make_unique<PageServer>();
    if (!server->Listen(error)) return false;
    // The page is on this machine: no proxy of the environment is asked.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    const std::string settings = form.SettingsFileName();
    auto ini = vemu::files::IniFile::Load(settings);
    ini.WriteString("Form1", "WebPage", server->Address());
    if (!ini.Save(settings, &error)) return false;
  }
  server->SetAnswer(*status, body);
  return true;
}

void PrintProgramFile(const std::string& name) {
  const auto lines = vemu::platform::readLines(vemu::platform::programFolder() + name, vemu::platform::kCircuitReadLimit);
  if (!lines) std::fprintf(stderr, "file %s missing\n", name.c_str());
  else
    for (const std::string& line : *lines) std::fprintf(stderr, "file %s %s\n", name.c_str(), line.c_str());
}

}  // namespace testdrive
