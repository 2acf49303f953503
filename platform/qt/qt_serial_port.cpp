#include "platform/qt/qt_serial_port.h"

#include "platform/qt/path_text.h"

namespace varlo {
namespace {

// How long closing waits for queued bytes to leave, at most.
constexpr int kFlushMs = 50;

QSerialPort::Parity ParityOf(char parity) {
  switch (parity) {
    case 'E':
      return QSerialPort::EvenParity;
    case 'O':
      return QSerialPort::OddParity;
    case 'M':
      return QSerialPort::MarkParity;
    case 'S':
      return QSerialPort::SpaceParity;
    default:
      return QSerialPort::NoParity;
  }
}

}  // namespace

QtSerialPort::QtSerialPort() {
  QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
    if (e != QSerialPort::NoError && e != QSerialPort::TimeoutError) failed_ = true;
  });
}

bool QtSerialPort::Open(const std::string& device, const SerialLine& line) {
  if (port_.isOpen()) port_.close();
  failed_ = false;
  port_.setPortName(PathToQt(device));
  if (!port_.open(QIODevice::WriteOnly)) return false;
  const bool set =
      port_.setBaudRate(line.baud) &&
      port_.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits)) &&
      port_.setParity(ParityOf(line.parity)) &&
      port_.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
      port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!set) {
    port_.close();
    return false;
  }
  return true;
}

bool QtSerialPort::Write(std::string_view bytes) {
  if (!IsOpen()) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (port_.write(bytes.data(), size) != size) return false;
  port_.flush();  // as much as the port takes now, without waiting
  return !failed_;
}

void QtSerialPort::Close() {
  if (!port_.isOpen()) return;
  if (!failed_ && port_.bytesToWrite() > 0) port_.waitForBytesWritten(kFlushMs);
  port_.close();
}

bool QtSerialPort::IsOpen() const {
  return port_.isOpen() && !failed_;
}

}  // namespace varlo
