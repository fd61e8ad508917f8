// The application delegate's program and firmware release checks: the HTTP GET of the maker's
// release lists, their parsing and the offers made from them.

#include "OVX_Configurator/AppDelegate.h"

#include "OVX_Configurator/AppInfo.h"
#include "OVX_Configurator/BuildNumber.h"
#include "OVX_Configurator/HexString.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/device/DeviceModel.h"
#include "platform/Log.h"
#include "platform/MainQueue.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

namespace {

const QString kSoftwareListPath = QStringLiteral("/download/mac/check_updates.xml");
const QString kFirmwareListPath = QStringLiteral("/updates/update_list.xml");
const QString kSoftwareDownloadPath = QStringLiteral("/download/mac/");
const QString kUpdateElementName = QStringLiteral("update");
constexpr double kSoftwareCheckInterval = 60.0;
constexpr double kFirmwareCheckInterval = 80.0;

// A text that is present and not empty.
bool hasText(const std::optional<QString>& text) {
    return text && !text->isEmpty();
}

} // namespace

// ---- Timers ----

void AppDelegate::scheduleSoftwareUpdateCheck() {
    timerCheckSoftwareUpdate.startRepeating(kSoftwareCheckInterval,
                                            [this] { checkSoftwareUpdateBackground(); });
}

void AppDelegate::scheduleFirmwareUpdateCheck() {
    timerCheckFirmwareUpdate.startRepeating(kFirmwareCheckInterval,
                                            [this] { checkFirmwareUpdateBackground(); });
}

// ---- Program check ----

void AppDelegate::checkSoftwareUpdate(bool background) {
    timerCheckSoftwareUpdate.stop();
    httpGet(
        webSiteAddress + kSoftwareListPath,
        [this, background](const QByteArray& data) { handleSoftwareUpdateList(data, background); },
        [this, background](const QString& text) { showNetworkError(text, background); });
}

void AppDelegate::handleSoftwareUpdateList(const QByteArray& data, bool background) {
    if (!parseReleaseList(data, XMLType::XMLSoftwareUpdates, background))
        return;

    // Only the first entry counts; it is offered when its build is a greater number than ours
    // and it names a file to download.
    std::optional<SoftwareUpdateElement> offer;
    if (!softwareUpdateElements.empty()) {
        const SoftwareUpdateElement& first = softwareUpdateElements.front();
        if (hasText(first.build) && hasText(first.filename)) {
            const auto order = compareBuildNumbers(bundleVersion(), *first.build);
            if (order && *order < 0)
                offer = first;
        }
    }
    if (!offer) {
        if (!background)
            showInfoMessage(localized("NO_SOFTWARE_UPDATE"), {});
        return;
    }

    const QString title = hasText(offer->title)     ? *offer->title
                          : hasText(offer->version) ? *offer->version
                                                    : *offer->build;
    const QString download =
        AppInfo::siteFileAddress(webSiteAddress, kSoftwareDownloadPath, *offer->filename);
    QPointer<AppDelegate> self(this);
    showThreeButtonAlert(
        localized("SOFTWARE_UPDATE_AVAILABLE").arg(title), localized("DOWNLOAD_NOW"),
        localized("REMIND_LATER"), localized("NEVER_REMIND"),
        [self, download] {
            if (self)
                self->openURLString(download);
        },
        [self] {
            if (self)
                self->scheduleSoftwareUpdateCheck();
        },
        {});
}

// ---- Firmware check ----

void AppDelegate::checkFirmwareUpdate(bool background) {
    // Without an identified unit there is nothing to compare: the check waits for one.
    if (mainViewController()->deviceID == 0)
        return;
    timerCheckFirmwareUpdate.stop();
    httpGet(
        webSiteAddress + kFirmwareListPath,
        [this, background](const QByteArray& data) { handleFirmwareUpdateList(data, background); },
        [this, background](const QString& text) { showNetworkError(text, background); });
}

void AppDelegate::handleFirmwareUpdateList(const QByteArray& data, bool background) {
    if (!parseReleaseList(data, XMLType::XMLFirmwareUpdates, background))
        return;

    const MainViewController* main = mainViewController();
    const std::int64_t device = main->deviceID;
    const std::int64_t firmware = main->firmwareVersion;
    if (device == 0) // the unit went away while the list was on its way
        return;

    // The first entry for this unit with a greater version is offered.
    const FirmwareUpdateElement* offer = nullptr;
    for (const FirmwareUpdateElement& entry : firmwareUpdateElements) {
        if (!entry.device_id || !entry.version)
            continue;
        const auto id = hexStringToInt(*entry.device_id);
        const auto version = hexStringToInt(*entry.version);
        if (id && *id == device && version && *version > firmware) {
            offer = &entry;
            break;
        }
    }
    if (!offer) {
        if (!background)
            showCriticalMessage(localized("NO_FIRMWARE_UPDATE"), {});
        return;
    }

    const QString title = hasText(offer->title) ? *offer->title : *offer->version;
    QPointer<AppDelegate> self(this);
    showThreeButtonAlert(
        localized("FIRMWARE_UPDATE_AVAILABLE").arg(title), localized("UPDATE_NOW"),
        localized("REMIND_LATER"), localized("NEVER_REMIND"),
        [self] {
            if (self)
                self->mainViewController()->showPage(FirmwareUpdatePage);
        },
        [self] {
            if (self)
                self->scheduleFirmwareUpdateCheck();
        },
        {});
}

void AppDelegate::showNetworkError(const QString& text, bool background) {
    if (background)
        return;
    // The site was reached: a list over the limit is told as what it is.
    if (text == localized("RESPONSE_TOO_LARGE"))
        showCriticalMessage(localized("RELEASE_LIST_TOO_LARGE"), {});
    else
        showCriticalMessage(localized("NETWORK_REQUEST_ERROR").arg(text), {});
}

// ---- Release list parsing ----

bool AppDelegate::parseReleaseList(const QByteArray& data, XMLType type, bool background) {
    currentXMLType = type;
    currentNodeName.reset();
    if (type == XMLType::XMLSoftwareUpdates) {
        softwareUpdateElements.clear();
        softwareUpdateElement.reset();
    } else {
        firmwareUpdateElements.clear();
        firmwareUpdateElement.reset();
    }
    XMLParser parser(data);
    parser.delegate = this;
    if (parser.parse())
        return true;
    // A list that is not well-formed XML (cut short, damaged, empty) offers nothing, not even
    // the entries read before the fault.
    if (!background)
        showCriticalMessage(localized("RELEASE_LIST_ERROR").arg(parser.parserError()), {});
    return false;
}

void AppDelegate::parserDidStartElement(XMLParser&, const QString& elementName, const QString&,
                                        const QString&, const QXmlStreamAttributes&) {
    currentNodeName = elementName;
    if (elementName != kUpdateElementName)
        return;
    if (currentXMLType == XMLType::XMLSoftwareUpdates)
        softwareUpdateElement = SoftwareUpdateElement{};
    else
        firmwareUpdateElement = FirmwareUpdateElement{};
}

void AppDelegate::parserDidEndElement(XMLParser&, const QString& elementName, const QString&,
                                      const QString&) {
    if (elementName != kUpdateElementName)
        return;
    if (currentXMLType == XMLType::XMLSoftwareUpdates) {
        if (softwareUpdateElement)
            softwareUpdateElements.push_back(*softwareUpdateElement);
    } else if (firmwareUpdateElement) {
        firmwareUpdateElements.push_back(*firmwareUpdateElement);
    }
}

void AppDelegate::parserFoundCharacters(XMLParser&, const QString& string) {
    const QString text = string.trimmed();
    platform::logLine(text.toStdString());
    if (!currentNodeName)
        return;
    // The element's field in the entry being filled (none before the first entry); the first
    // text wins, so the white space after a filled element leaves it alone.
    std::optional<QString>* field = nullptr;
    if (currentXMLType == XMLType::XMLSoftwareUpdates) {
        if (softwareUpdateElement)
            field = softwareUpdateElement->field(*currentNodeName);
    } else if (firmwareUpdateElement) {
        field = firmwareUpdateElement->field(*currentNodeName);
    }
    if (field && !*field)
        *field = text;
}

// ---- HTTP ----

QString AppDelegate::statusCodeText(int statusCode) {
    return localized("STATUS_CODE") + QStringLiteral(": ") + QString::number(statusCode);
}

void AppDelegate::httpGet(const QString& urlText, std::function<void(const QByteArray&)> onSuccess,
                          std::function<void(const QString&)> onError,
                          std::function<void()> onNoResponse) {
    if (!networkAccessManager_)
        networkAccessManager_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request{QUrl(urlText)};
    QNetworkReply* reply = networkAccessManager_->get(request);
    ++pendingHttpRequests_;

    // The time-out counts from the start and from each piece of progress, so a slow but
    // moving transfer is not cut off; a body over the limit is refused as it arrives.
    struct Transfer {
        platform::Timer timeout;
        bool timedOut = false;
        bool tooLarge = false;
    };
    auto transfer = std::make_shared<Transfer>();
    QPointer<QNetworkReply> guard(reply);
    auto armTimeout = [weak = std::weak_ptr<Transfer>(transfer), guard] {
        if (auto t = weak.lock())
            t->timeout.start(kHttpTimeout, [weak, guard] {
                auto t = weak.lock();
                if (!t || !guard)
                    return;
                t->timedOut = true;
                guard->abort();
            });
    };
    armTimeout();
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [transfer, guard, armTimeout](qint64 received, qint64 total) {
                if (received > kHttpMaximumBytes || total > kHttpMaximumBytes) {
                    transfer->tooLarge = true;
                    transfer->timeout.stop();
                    if (guard)
                        guard->abort();
                    return;
                }
                armTimeout();
            });
    connect(
        reply, &QNetworkReply::finished, this,
        [this, reply, transfer, onSuccess = std::move(onSuccess), onError = std::move(onError),
         onNoResponse = std::move(onNoResponse)] {
            transfer->timeout.stop();
            reply->deleteLater();
            handleHttpResponse(*reply, transfer->timedOut, transfer->tooLarge, onSuccess, onError,
                               onNoResponse);
        });
}

void AppDelegate::handleHttpResponse(QNetworkReply& reply, bool timedOut, bool tooLarge,
                                     const std::function<void(const QByteArray&)>& onSuccess,
                                     const std::function<void(const QString&)>& onError,
                                     const std::function<void()>& onNoResponse) {
    // Qt reports an HTTP error status as a network error: the status is read first, so that a
    // 404 is told as the status it is.
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    std::function<void()> outcome;
    auto fail = [&onError](QString text) {
        return [onError, text = std::move(text)] {
            if (onError)
                onError(text);
        };
    };
    if (timedOut) {
        outcome = fail(localized("REQUEST_TIMED_OUT"));
    } else if (tooLarge) {
        outcome = fail(localized("RESPONSE_TOO_LARGE"));
    } else if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        outcome = fail(statusCodeText(status.toInt()));
    } else if (reply.error() != QNetworkReply::NoError) {
        outcome = fail(reply.errorString()); // also a body cut short after a good status
    } else if (status.isValid()) {
        outcome = [onSuccess, body = reply.readAll()] {
            if (onSuccess)
                onSuccess(body);
        };
    } else {
        outcome = onNoResponse; // a good answer that is not HTTP (an address of another scheme)
    }

    // The closure runs from the event loop, after the reply has finished its own work, and
    // only while the delegate lives.
    QPointer<AppDelegate> self(this);
    platform::runOnMain([self, outcome = std::move(outcome)] {
        if (!self)
            return;
        --self->pendingHttpRequests_;
        if (outcome)
            outcome();
    });
}

void AppDelegate::cancelHttpRequests() {
    if (!networkAccessManager_)
        return;
    for (QNetworkReply* reply : networkAccessManager_->findChildren<QNetworkReply*>()) {
        reply->disconnect();
        reply->abort();
    }
    networkAccessManager_.reset();
    pendingHttpRequests_ = 0;
}
