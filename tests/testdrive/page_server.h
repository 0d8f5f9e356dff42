// The driver's own web server for the page download of `edit`: it listens
// on 127.0.0.1 at a port the system picks and answers every request with
// the status and body set last, then closes the connection. Script lines:
// "serve CODE [BODY]" and "file NAME".
#pragma once

#include <QTcpServer>
#include <memory>
#include <string>

class TForm1;
class QTcpSocket;

namespace testdrive {

class PageServer final : public QTcpServer {
 public:
  PageServer();
  // False with the reason when no port on 127.0.0.1 could be had.
  bool Listen(std::string& error);
  void SetAnswer(int status, const std::string& body);
  // The address of the page served.
  std::string Address() const;

 private:
  void Answer(QTcpSocket* socket);

  int status_ = 200;
  std::string body_;
};

// "serve CODE [BODY]": starts the server at the first such line, sets its
// answer and points SETTINGS.INI's [Form1] WebPage, the file the main window
// reads, at it. False with the reason for a bad line.
bool ServePage(TForm1& form, std::unique_ptr<PageServer>& server, const std::string& rest, std::string& error);

// "file NAME": prints "file NAME LINE" to stderr for each line of the
// program folder's file NAME, or "file NAME missing".
void PrintProgramFile(const std::string& name);

}  // namespace testdrive
