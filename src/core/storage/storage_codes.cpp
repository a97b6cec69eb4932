#include "core/storage/storage_codes.h"

namespace vidodez {
namespace {

constexpr NamedCode kCodes[] = {
    {kStorageOk, "StorageOk"},
    {kStorageNoCommand, "StorageNoCommand"},
    {kStorageTextNotGbk, "StorageTextNotGbk"},
    {kStorageNoFileChosen, "StorageNoFileChosen"},
    {kStorageFileUnreadable, "StorageFileUnreadable"},
    {kStorageNothingSelected, "StorageNothingSelected"},
    {kStorageCancelled, "StorageCancelled"},
    {kStorageNameUnusable, "StorageNameUnusable"},
    {kStorageCommandSetUnknown, "StorageCommandSetUnknown"},
    {kStorageFontsNotPrintable, "StorageFontsNotPrintable"},
    {kStorageNotPcx, "StorageNotPcx"},
    {kStorageIdEmpty, "StorageIdEmpty"},
    {kStorageIdHasAsterisk, "StorageIdHasAsterisk"},
    {kStorageIdTooLong, "StorageIdTooLong"},
    {kStorageCommandTooLong, "StorageCommandTooLong"},
};

}  // namespace

const char* StorageCodeName(int code) { return NameOfCode(kCodes, code); }

std::span<const NamedCode> StorageCodeTable() { return kCodes; }

}  // namespace vidodez
