/* Tolv32: the rating engine library (libTolv32.so). The C interface of its exported calls.
 *
 * Conventions
 *  1. Every call works on the calling thread's engine. A thread gets one from
 *     Tolv_InitializeTolv and loses it with Tolv_EndTolv; no engine is shared between
 *     threads. A call on a thread without an engine gives its empty result: 0, -1, NULL or
 *     no effect, as stated per call; only the shipment rating calls write into the record
 *     then (Status "0203"), so that it never reads as rated.
 *  2. Each "Ex" twin takes an engine handle first and ignores it: it too uses the calling
 *     thread's engine. Tolv_InitializeTolvEx takes no handle and returns the engine's
 *     handle (NULL on failure).
 *  3. Every buffer belongs to the caller. Records are fixed-width single-byte text
 *     (Windows-1252), blank-padded and not terminated, with little-endian integers where a
 *     record says so; the engine reads a record and overwrites it in place. Sizes are the
 *     TOLV32_*_SIZE constants below; a buffer must be at least that long. Directory texts
 *     are NUL-terminated. The engine keeps no pointer after a call returns (except the
 *     notify callback and its user value) and hands out nothing it allocated.
 *  4. A NULL record or text pointer gives the call's empty result.
 *  5. Errors are engine error numbers (Tolv_GetErrorString gives their messages): as the
 *     result of Tolv_InitializeTolv, or as the four-digit status of a ShipmentRecord.
 *  6. Nothing is thrown across this interface.
 *  7. What the library starts: with the first engine on a data directory it opens one
 *     inotify instance and starts one watcher thread, shared by every engine of the
 *     process, to learn of changes to the data files. They stay while the library is
 *     loaded and end (the thread stopped and joined) when it is unloaded (dlclose) or the
 *     process ends. A host ends every engine (Tolv_EndTolv) before it unloads the library.
 *     A thread that had an engine holds the library loaded until that thread ends: a
 *     dlclose before then leaves the library, and its watcher thread, in place. The
 *     unload gives back all the memory the library took (its caches, watches and
 *     settings), whether or not each thread ended its engine before it ended.
 *  8. Changes to the data files: a file written with write() (in place or appended),
 *     truncated, replaced by rename, removed, added or linked shows in the next rating
 *     begun after the change, except a rating begun within 20 microseconds of the same
 *     thread's previous one, which may show it only in a later rating. A rating reads
 *     each file as it first found it. A mount over a file or directory, and a write
 *     through a shared mapping into a clean page, show within about a second. A further write into a mapped page still
 *     dirty (no msync between), and on tmpfs any mapped write after the first, is not seen
 *     by a running engine at all (a process started afterwards sees it): an updater writes
 *     with write() or replaces the file by rename, and a mapping writer calls msync after
 *     each change (on tmpfs it replaces the file).
 */
#ifndef TOLV32DLL_INCLUDE_TOLV32_H_
#define TOLV32DLL_INCLUDE_TOLV32_H_

#include <stdint.h>

#if defined(__GNUC__)
#define TOLV32_EXPORT __attribute__((visibility("default")))
#else
#define TOLV32_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Record sizes in bytes. */
#define TOLV32_SHIPMENT_RECORD_SIZE 2160
#define TOLV32_PACKAGE_REQUEST_SIZE 1040
#define TOLV32_PACKAGE_RESPONSE_SIZE 710
#define TOLV32_PACKAGE_INFO_REQUEST_SIZE 22
#define TOLV32_PACKAGE_INFO_RESPONSE_SIZE 1062
#define TOLV32_TARIFF_TABLES_RECORD_SIZE 224
#define TOLV32_ERROR_STRING_RECORD_SIZE 80
#define TOLV32_VERSION_TEXT_SIZE 105
#define TOLV32_EFFECTIVE_TABLE_ROW_SIZE 17
#define TOLV32_EFFECTIVE_RECORD_SIZE 76
#define TOLV32_NOTIFY_MESSAGE_SIZE 512
#define TOLV32_STATE_SIZE 2
#define TOLV32_ZIP_SIZE 6

/* An engine handle (only ever compared with NULL by callers). */
typedef void* TolvHandle;

/* Told of a reload of the effective-date table: the registered user value and a
 * TOLV32_NOTIFY_MESSAGE_SIZE-byte message, on the thread that found the change, inside the
 * call that found it. The engine is busy under that call: calls the callback makes find
 * no engine (their empty result; Tolv_InitializeTolv gives 203 and leaves the engine as it
 * is), except Tolv_EndTolv, which returns 0 and ends the engine as the call that notified
 * returns. */
typedef void (*TolvNotifyCallback)(intptr_t user_value, uint8_t* message);

/* Lifecycle. */
/* data_dir: the data directory (a "/" is added when it ends in no separator), or NULL for
 * the library's own directory. 0, or the error number of the data-set open (203 when
 * EFCREC.TBL is missing, or when the directory is longer than 247 characters, leaving no
 * room for a tariff file's name); on failure the thread has no engine. */
TOLV32_EXPORT int32_t Tolv_InitializeTolv(const char* data_dir);
TOLV32_EXPORT TolvHandle Tolv_InitializeTolvEx(const char* data_dir);
/* Sets the tariff data directory (the path's directory part). 1, or 0 without engine,
 * for NULL, for a path longer than 259 characters or a directory longer than 247 (no room
 * for a tariff file's name); then nothing changes. */
TOLV32_EXPORT int32_t Tolv_Set_Tolvdata(const char* path);
TOLV32_EXPORT int32_t Tolv_Set_TolvdataEx(TolvHandle handle, const char* path);
/* out: TOLV32_STATE_SIZE bytes; zip: TOLV32_ZIP_SIZE bytes. out, or NULL. */
TOLV32_EXPORT char* Tolv_GetState(char* out, const char* zip);
TOLV32_EXPORT char* Tolv_GetStateEx(TolvHandle handle, char* out, const char* zip);
/* 0; -1 when the thread has no engine. */
TOLV32_EXPORT int32_t Tolv_EndTolv(void);
TOLV32_EXPORT int32_t Tolv_EndTolvEx(TolvHandle handle);
/* Fills TOLV32_VERSION_TEXT_SIZE bytes when out is not NULL; 0. Needs no engine. */
TOLV32_EXPORT int32_t Tolv_disp_ver(char* out);
TOLV32_EXPORT int32_t Tolv_disp_verEx(TolvHandle handle, char* out);
/* Works on one TOLV32_EFFECTIVE_RECORD_SIZE-byte line in place; needs no engine. */
TOLV32_EXPORT int32_t Tolv_DetermineRatingVersion(char* record);

/* Rating. record: TOLV32_SHIPMENT_RECORD_SIZE bytes, updated in place; on a thread
 * without an engine only its Status is written, "0203". */
TOLV32_EXPORT void Tolv_RateShipment(char* record);
TOLV32_EXPORT void Tolv_RateShipmentEx(TolvHandle handle, char* record);
TOLV32_EXPORT void Tolv_RateShipment2(char* record, char* candidate_list);
TOLV32_EXPORT void Tolv_RateShipment2Ex(TolvHandle handle, char* record, char* candidate_list);
/* Packages. request: TOLV32_PACKAGE_REQUEST_SIZE bytes (defaults and the date written
 * back); response: TOLV32_PACKAGE_RESPONSE_SIZE bytes, of which 17 + 7 x the package count
 * are written. Info: TOLV32_PACKAGE_INFO_REQUEST_SIZE and TOLV32_PACKAGE_INFO_RESPONSE_SIZE
 * bytes. Without an engine nothing is written. */
TOLV32_EXPORT void Tolv_RatePackage(char* request, char* response);
TOLV32_EXPORT void Tolv_RatePackageEx(TolvHandle handle, char* request, char* response);
TOLV32_EXPORT void Tolv_PackageInfo(char* request, char* response);
TOLV32_EXPORT void Tolv_PackageInfoEx(TolvHandle handle, char* request, char* response);

/* Tables. */
/* record: TOLV32_TARIFF_TABLES_RECORD_SIZE bytes. 1 when filled, else 0. */
TOLV32_EXPORT int32_t Tolv_GetTables(char* record);
TOLV32_EXPORT int32_t Tolv_GetTablesEx(TolvHandle handle, char* record);
/* out: TOLV32_EFFECTIVE_TABLE_ROW_SIZE bytes. out, or NULL. */
TOLV32_EXPORT char* Tolv_GetEffectiveTable(char* out, int32_t index);
TOLV32_EXPORT char* Tolv_GetEffectiveTableEx(TolvHandle handle, char* out, int32_t index);
/* The listing's row count; -1 without engine. */
TOLV32_EXPORT int16_t Tolv_GetEffectiveTableSize(void);
TOLV32_EXPORT int16_t Tolv_GetEffectiveTableSizeEx(TolvHandle handle);
/* 1 when the effective table's lock was obtained (within an hour), else 0. */
TOLV32_EXPORT int32_t Tolv_LockEffective(void);
TOLV32_EXPORT int32_t Tolv_LockEffectiveEx(TolvHandle handle);
/* Non-zero when a hold was given back. */
TOLV32_EXPORT int32_t Tolv_UnlockEffective(void);
TOLV32_EXPORT int32_t Tolv_UnlockEffectiveEx(TolvHandle handle);

/* Errors and events. */
/* record: TOLV32_ERROR_STRING_RECORD_SIZE bytes; bytes 0-3 the number as four digits in,
 * the message from byte 4 out (NUL-filled). record, or NULL without engine. */
TOLV32_EXPORT char* Tolv_GetErrorString(char* record);
TOLV32_EXPORT char* Tolv_GetErrorStringEx(TolvHandle handle, char* record);
/* A NULL callback turns notification off. */
TOLV32_EXPORT void Tolv_SetNotifyCallback(intptr_t user_value, TolvNotifyCallback callback);
TOLV32_EXPORT void Tolv_SetNotifyCallbackEx(TolvHandle handle, intptr_t user_value,
                                            TolvNotifyCallback callback);

/* Service guide: (status block, record) -> boolean byte. Without the outside library the
 * status block's first four bytes get "0700" and the result is 0. */
TOLV32_EXPORT uint8_t ServGd_GetCarrierTypes(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_GetCarriers(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_GetServGuideData(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_GetTermToTermDays(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_GetTerminals(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_Initialize(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_SetCarrierDataPath(char* status, char* record);
TOLV32_EXPORT uint8_t ServGd_Terminate(void);

/* Exported by name for callers that look it up; does nothing and returns 1. */
TOLV32_EXPORT int32_t DllMain(void* module, uint32_t reason, void* reserved);

#ifdef __cplusplus
}
#endif

#endif /* TOLV32DLL_INCLUDE_TOLV32_H_ */
