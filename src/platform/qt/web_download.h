// Fetching one web page into a file with Qt Network: an HTTP GET whose body
// is kept in memory and written through the temporary-file writer only when
// the answer is complete with status 200, under the size limit and within
// the time limit. On any failure the file that was there stays.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <string>

class QNetworkReply;

namespace vemu::platform {

enum class DownloadOutcome { Saved, HttpStatus, TooBig, TimedOut, Failed, WriteFailed };

struct DownloadResult {
  DownloadOutcome outcome = DownloadOutcome::Failed;
  int httpStatus = 0;    // HttpStatus: the status received
  long long bytes = 0;   // Saved: the size written
  std::string detail;    // Failed, WriteFailed: the reason
};

class WebDownload final : public QObject {
  Q_OBJECT
 public:
  static constexpr long long kMaxBytes = 10 * 1024 * 1024;
  static constexpr int kTimeLimitMs = 30000;

  explicit WebDownload(QObject* parent = nullptr);
  ~WebDownload() override;

  // Starts fetching `url` (http or https) into `target`. False, with the
  // result set, when the address is not one, or a download is running.
  bool Start(const QString& url, const std::string& target, int timeLimitMs = kTimeLimitMs,
             long long maxBytes = kMaxBytes);
  bool Running() const { return !reply_.isNull(); }
  const DownloadResult& Result() const { return result_; }

 signals:
  void Finished();

 private:
  void Stop(DownloadOutcome outcome);
  void ReadBody();
  void Done();

  QNetworkAccessManager manager_;
  QPointer<QNetworkReply> reply_;
  QTimer timer_;
  QByteArray body_;
  std::string target_;
  long long maxBytes_ = kMaxBytes;
  bool stopped_ = false;
  DownloadResult result_;
};

// What the status bar says about a finished download of `fileName`.
std::string DescribeDownload(const DownloadResult& result, const std::string& fileName);

}  // namespace vemu::platform
