/* Calls every export of libTolv32.so once, from C, on a thread without an engine, and
 * checks the empty results the interface promises. Exits non-zero on the first miss. */
#include <stdio.h>
#include <string.h>

#include "tolv32dll/include/tolv32.h"

static int failures = 0;

#define CHECK(cond)                                              \
  do {                                                           \
    if (!(cond)) {                                               \
      fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #cond); \
      ++failures;                                                \
    }                                                            \
  } while (0)

static void Notify(intptr_t user_value, uint8_t* message) {
  (void)user_value;
  (void)message;
}

int main(void) {
  char version[TOLV32_VERSION_TEXT_SIZE];
  char shipment[TOLV32_SHIPMENT_RECORD_SIZE];
  char tables[TOLV32_TARIFF_TABLES_RECORD_SIZE];
  char error[TOLV32_ERROR_STRING_RECORD_SIZE];
  char row[TOLV32_EFFECTIVE_TABLE_ROW_SIZE];
  char line[TOLV32_EFFECTIVE_RECORD_SIZE];
  char state[TOLV32_STATE_SIZE];
  char status[24];
  char record[600];
  char before[TOLV32_SHIPMENT_RECORD_SIZE];

  memset(shipment, ' ', sizeof shipment);
  memcpy(before, shipment, sizeof shipment);
  memset(tables, ' ', sizeof tables);
  memcpy(error, "0216", 4);
  memset(line, ' ', sizeof line);

  CHECK(Tolv_disp_ver(version) == 0);
  CHECK(strcmp(version, "Tolv32") == 0);
  CHECK(Tolv_disp_verEx(NULL, version) == 0);
  CHECK(Tolv_DetermineRatingVersion(line) == 0);

  /* No engine on this thread: every engine call gives its empty result. */
  CHECK(Tolv_Set_Tolvdata("/tmp/") == 0);
  CHECK(Tolv_Set_TolvdataEx(NULL, "/tmp/") == 0);
  CHECK(Tolv_GetState(state, "12345M") == NULL);
  CHECK(Tolv_GetStateEx(NULL, state, "12345 ") == NULL);
  CHECK(Tolv_GetTables(tables) == 0);
  CHECK(Tolv_GetTablesEx(NULL, tables) == 0);
  CHECK(Tolv_GetEffectiveTable(row, 0) == NULL);
  CHECK(Tolv_GetEffectiveTableEx(NULL, row, 0) == NULL);
  CHECK(Tolv_GetEffectiveTableSize() == -1);
  CHECK(Tolv_GetEffectiveTableSizeEx(NULL) == -1);
  CHECK(Tolv_LockEffective() == 0);
  CHECK(Tolv_LockEffectiveEx(NULL) == 0);
  CHECK(Tolv_UnlockEffective() == 0);
  CHECK(Tolv_UnlockEffectiveEx(NULL) == 0);
  CHECK(Tolv_GetErrorString(error) == NULL);
  CHECK(Tolv_GetErrorStringEx(NULL, error) == NULL);
  Tolv_SetNotifyCallback(0, Notify);
  Tolv_SetNotifyCallbackEx(NULL, 0, Notify);
  Tolv_RateShipment(shipment);
  Tolv_RateShipmentEx(NULL, shipment);
  Tolv_RateShipment2(shipment, NULL);
  Tolv_RateShipment2Ex(NULL, shipment, NULL);
  CHECK(memcmp(shipment + 3, "0203", 4) == 0); /* no engine: never a blank status */
  Tolv_RatePackage(record, record);
  Tolv_RatePackageEx(NULL, record, record);
  Tolv_PackageInfo(record, record);
  Tolv_PackageInfoEx(NULL, record, record);
  CHECK(Tolv_EndTolv() == -1);
  CHECK(Tolv_EndTolvEx(NULL) == -1);

  /* A directory without EFCREC.TBL: 203 and still no engine. */
  CHECK(Tolv_InitializeTolv("/nonexistent-frelane-dir") == 203);
  CHECK(Tolv_InitializeTolvEx("/nonexistent-frelane-dir") == NULL);
  CHECK(Tolv_EndTolv() == -1);

  /* Without the service-guide library every call reports "0700". */
  memset(status, 0, sizeof status);
  CHECK(ServGd_Initialize(status, record) == 0 && memcmp(status, "0700", 4) == 0);
  CHECK(ServGd_SetCarrierDataPath(status, record) == 0);
  CHECK(ServGd_GetCarrierTypes(status, record) == 0);
  CHECK(ServGd_GetCarriers(status, record) == 0);
  CHECK(ServGd_GetServGuideData(status, record) == 0);
  CHECK(ServGd_GetTermToTermDays(status, record) == 0);
  CHECK(ServGd_GetTerminals(status, record) == 0);
  CHECK(ServGd_Terminate() == 1);
  CHECK(DllMain(NULL, 1, NULL) == 1);

  if (failures == 0) printf("all exports answered\n");
  return failures == 0 ? 0 : 1;
}
