#include "platform/qt/web_download.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "platform/text_file.h"

namespace vemu::platform {

WebDownload::WebDownload(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Stop(DownloadOutcome::TimedOut); });
}

WebDownload::~WebDownload() {
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
  }
}

bool WebDownload::Start(const QString& url, const std::string& target, int timeLimitMs, long long maxBytes) {
  if (Running()) return false;
  const QUrl address(url, QUrl::StrictMode);
  result_ = DownloadResult{};
  if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) {
    result_.detail = "not a web address: " + url.toStdString();
    return false;
  }
  target_ = target;
  maxBytes_ = maxBytes;
  body_.clear();
  stopped_ = false;
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  reply_ = manager_.get(request);
  connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() >= maxBytes_) Stop(DownloadOutcome::TooBig);
  });
  connect(reply_, &QNetworkReply::readyRead, this, [this] { ReadBody(); });
  connect(reply_, &QNetworkReply::finished, this, [this] { Done(); });
  timer_.start(timeLimitMs);
  return true;
}

void WebDownload::ReadBody() {
  if (!reply_ || stopped_) return;
  body_ += reply_->readAll();
  if (body_.size() >= maxBytes_) Stop(DownloadOutcome::TooBig);
}

void WebDownload::Stop(DownloadOutcome outcome) {
  if (!reply_ || stopped_) return;
  stopped_ = true;
  result_.outcome = outcome;
  reply_->abort();  // finishes the reply at once
}

void WebDownload::Done() {
  if (!reply_) return;
  timer_.stop();
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->deleteLater();
  if (!stopped_) {
    body_ += reply->readAll();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (body_.size() >= maxBytes_) {
      result_.outcome = DownloadOutcome::TooBig;
    } else if (status.isValid() && status.toInt() != 200) {
      result_.outcome = DownloadOutcome::HttpStatus;
      result_.httpStatus = status.toInt();
    } else if (reply->error() != QNetworkReply::NoError || !status.isValid()) {
      result_.outcome = DownloadOutcome::Failed;
      result_.detail = reply->errorString().toStdString();
    } else {
      SafeFileWriter writer(target_);
      writer.write(std::string_view(body_.constData(), static_cast<std::size_t>(body_.size())));
      if (writer.commit()) {
        result_.outcome = DownloadOutcome::Saved;
        result_.bytes = body_.size();
      } else {
        result_.outcome = DownloadOutcome::WriteFailed;
        result_.detail = writer.error();
      }
    }
  }
  body_.clear();
  emit Finished();
}

std::string DescribeDownload(const DownloadResult& result, const std::string& fileName) {
  const std::string kept = ", " + fileName + " kept";
  switch (result.outcome) {
    case DownloadOutcome::Saved: return fileName + ": " + std::to_string(result.bytes) + " bytes saved";
    case DownloadOutcome::HttpStatus: return "Web page: HTTP " + std::to_string(result.httpStatus) + kept;
    case DownloadOutcome::TooBig: return "Web page: 10 MB or more" + kept;
    case DownloadOutcome::TimedOut: return "Web page: no answer in 30 s" + kept;
    case DownloadOutcome::WriteFailed: return result.detail;
    case DownloadOutcome::Failed: break;
  }
  return "Web page: " + result.detail + kept;
}

}  // namespace vemu::platform
