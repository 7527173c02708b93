#include <gtest/gtest.h>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/serial/LineSettings.h"
#include "serial/SerialTestSupport.h"
#include "support/Pseudoterminal.h"

namespace norv {
namespace {

using test::Pseudoterminal;

termios SlaveSettings(const Pseudoterminal& pty) {
  termios t{};
  EXPECT_EQ(tcgetattr(pty.Slave(), &t), 0);
  return t;
}

speed_t SlaveSpeed(const Pseudoterminal& pty) {
  const termios t = SlaveSettings(pty);
  return cfgetospeed(&t);
}

TEST(LineSettings, RawEightNoneOneWithoutFlowControl) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 9600));
  const termios t = SlaveSettings(pty);
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_EQ(cfgetispeed(&t), B9600);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_NE(t.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
  // Raw on the wire: line ends pass untranslated.
  EXPECT_EQ(gps.Send("A\nB\r\n"), 5u);
  EXPECT_EQ(pty.Read(5, std::chrono::seconds(1)), "A\nB\r\n");
}

TEST(LineSettings, StandardRates) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 4800));
  const std::pair<std::int32_t, speed_t> rates[] = {
      {4800, B4800}, {38400, B38400}, {115200, B115200}, {230400, B230400}, {1200, B1200}};
  for (const auto& [baud, code] : rates) {
    SCOPED_TRACE(baud);
    EXPECT_TRUE(gps.SetDCBState(baud)) << gps.LastError();
    EXPECT_EQ(gps.BaudRate(), baud);
    EXPECT_EQ(SlaveSpeed(pty), code);
  }
}

TEST(LineSettings, NonStandardRateIsAppliedOrRefused) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 9600));
  const int fd = pty.Slave();
  if (gps.SetDCBState(250000)) {
    EXPECT_EQ(gps.BaudRate(), 250000);
    EXPECT_EQ(serial::LineBaudRate(fd), 250000);
  } else {
    EXPECT_EQ(gps.BaudRate(), 9600);
    EXPECT_EQ(serial::LineBaudRate(fd), 9600);
  }
  // Back to a standard rate from a non-standard one.
  EXPECT_TRUE(gps.SetDCBState(4800));
  EXPECT_EQ(serial::LineBaudRate(fd), 4800);
}

TEST(LineSettings, RefusedRateKeepsBaudRateAndLine) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 9600));
  for (const std::int32_t baud : {0, -9600}) {
    SCOPED_TRACE(baud);
    EXPECT_FALSE(gps.SetDCBState(baud));
    EXPECT_EQ(gps.BaudRate(), 9600);
    EXPECT_EQ(SlaveSpeed(pty), B9600);
    EXPECT_FALSE(gps.LastError().empty());
  }
}

TEST(LineSettings, DriverRefusalIsReportedAndRestored) {
  Pseudoterminal pty;
  TNorvGPSSimulator gps;
  ASSERT_TRUE(gps.Connect(pty.Path(), 9600));
  test::SystemCallsOverride calls;
  // A driver that reports success yet keeps the old settings, as tcsetattr may.
  calls->TcSetAttr = [](int, int, const termios*) { return 0; };
  EXPECT_FALSE(gps.SetDCBState(19200));
  EXPECT_EQ(gps.BaudRate(), 9600);
  EXPECT_NE(gps.LastError().find("refused"), std::string::npos) << gps.LastError();

  calls->TcSetAttr = [](int, int, const termios*) {
    errno = EIO;
    return -1;
  };
  EXPECT_FALSE(gps.SetDCBState(19200));
  EXPECT_NE(gps.LastError().find("tcsetattr"), std::string::npos) << gps.LastError();
  // Connect still reports the port as opened when the driver refuses the line settings.
  EXPECT_TRUE(gps.Connect(pty.Path(), 19200));
  EXPECT_EQ(gps.BaudRate(), 19200);
  EXPECT_EQ(SlaveSpeed(pty), B9600);
}

}  // namespace
}  // namespace norv
