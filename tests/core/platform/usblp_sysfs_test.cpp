// The usblp backend's reading of sysfs, against a fake tree laid out as the
// kernel lays it out: class/usbmisc/lpN links to the USB interface, whose
// parent folder is the USB device.

#include "core/platform/linux/usblp_sysfs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace vidodez::platform {
namespace {

namespace fs = std::filesystem;

struct FakeDevice {
  std::string lp;   // "lp0"
  std::string dev;  // "180:0"
  std::string vid, pid, serial, product, ieee1284_id;
};

void AddDevice(const std::string& root, const FakeDevice& d, int bus_port) {
  fs::path usb = fs::path(root) / "devices/pci0000:00/usb1" / ("1-" + std::to_string(bus_port));
  fs::path interface = usb / ("1-" + std::to_string(bus_port) + ":1.0");
  fs::path lp_dir = interface / "usbmisc" / d.lp;
  fs::create_directories(lp_dir);
  auto put = [](const fs::path& path, const std::string& value) {
    if (!value.empty()) test::WriteFileBytes(path.string(), value + "\n");
  };
  put(usb / "idVendor", d.vid);
  put(usb / "idProduct", d.pid);
  put(usb / "serial", d.serial);
  put(usb / "product", d.product);
  put(interface / "ieee1284_id", d.ieee1284_id);
  put(lp_dir / "dev", d.dev);
  fs::create_directory_symlink(interface, lp_dir / "device");
  fs::create_directories(fs::path(root) / "class/usbmisc");
  fs::create_directory_symlink(lp_dir, fs::path(root) / "class/usbmisc" / d.lp);
}

TEST(UsblpSysfs, BuildsInterfacesFromTheDeviceAndItsIdAndAMissingTreeHasNone) {
  test::TempDir root;
  AddDevice(root.path(),
            {"lp1", "180:1", "0471", "0168", "ABC123", "Label Printer",
             "MFG:MarliX;CMD:ZPL;MDL:MarliXPrinters VT-4100;CLS:PRINTER;"},
            2);
  AddDevice(root.path(), {"lp0", "180:0", "03EB", "6119", "", "LP-2 Printer", ""}, 1);
  AddDevice(root.path(), {"lp2", "180:2", "2a63", "0001", "S2", "", "MFG:X;CLS:PRINTER;"}, 3);

  auto interfaces = ReadUsblpInterfaces(root.path(), "/dev");
  ASSERT_EQ(interfaces.size(), 3u);
  // lp0: no serial (the USB device's name stands in), no id: the product string.
  EXPECT_EQ(interfaces[0].device_path,
            "\\\\?\\usb#vid_03eb&pid_6119#1-1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
  EXPECT_EQ(interfaces[0].port_number, 1);
  EXPECT_EQ(interfaces[0].description, "LP-2 Printer");
  EXPECT_EQ(interfaces[0].node, "/dev/usb/lp0");
  // lp1: the model of the IEEE 1284 id wins over the product string.
  EXPECT_EQ(interfaces[1].device_path,
            "\\\\?\\usb#vid_0471&pid_0168#ABC123#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
  EXPECT_EQ(interfaces[1].port_number, 2);
  EXPECT_EQ(interfaces[1].description, "MarliXPrinters VT-4100");
  // lp2: neither a model nor a product: listed by the backend, without a description.
  EXPECT_FALSE(interfaces[2].has_description);
  EXPECT_TRUE(ReadUsblpInterfaces(root.path() + "/nonexistent", "/dev").empty());
}

TEST(DeviceId, WithAndWithoutTheLengthPrefix) {
  std::string bare = "MFG:MarliX;MDL:VT-4100;CLS:PRINTER;";
  std::string prefixed = std::string{0, static_cast<char>(bare.size() + 2)} + bare;
  EXPECT_EQ(StripDeviceIdLength(bare), bare);
  EXPECT_EQ(StripDeviceIdLength(prefixed), bare);
  // A length that claims more than there is: left as it came.
  std::string lying = std::string{0x7f, 0x7f} + "MDL:X;";
  EXPECT_EQ(StripDeviceIdLength(lying), lying);
  EXPECT_EQ(DeviceIdField(bare, "MDL"), "VT-4100");
  EXPECT_EQ(DeviceIdField("mfg:A; model:B;", "MODEL"), "B");
  EXPECT_EQ(DeviceIdField(bare, "CMD"), std::nullopt);
  EXPECT_EQ(DeviceIdField("MDL:LAST", "MDL"), "LAST");
}

}  // namespace
}  // namespace vidodez::platform
