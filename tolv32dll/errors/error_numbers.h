// The engine's error numbers, named after their mnemonic codes. Every failure inside the
// engine is one of these numbers; the message table gives each its text. Numbers whose
// code is itself a number are named after their meaning.
#ifndef TOLV32DLL_ERRORS_ERROR_NUMBERS_H_
#define TOLV32DLL_ERRORS_ERROR_NUMBERS_H_

#include <cstdint>

namespace tolv {

// An engine error number; 0 means success.
using ErrorNumber = std::int16_t;

inline constexpr ErrorNumber kOk = 0;
// Returned by initialisation when another program holds files the engine needs.
inline constexpr ErrorNumber kErrFilesLocked = 10;

inline constexpr ErrorNumber kErrOpntda = 101;
inline constexpr ErrorNumber kErrOpntds = 102;
inline constexpr ErrorNumber kErrOpntdx = 103;
inline constexpr ErrorNumber kErrOpntdz = 104;
inline constexpr ErrorNumber kErrOpntdt = 105;
inline constexpr ErrorNumber kErrOpntdn = 106;
inline constexpr ErrorNumber kErrRedtds = 107;
inline constexpr ErrorNumber kErrRedtdx = 108;
inline constexpr ErrorNumber kErrRedtdz = 109;
inline constexpr ErrorNumber kErrRedtdt = 110;
inline constexpr ErrorNumber kErrRedtdn = 111;
inline constexpr ErrorNumber kErrSertds = 112;
inline constexpr ErrorNumber kErrSertdx = 113;
inline constexpr ErrorNumber kErrGettdz = 114;
inline constexpr ErrorNumber kErrGettdt = 115;
inline constexpr ErrorNumber kErrGettdn = 116;
inline constexpr ErrorNumber kErrIvdorg = 117;
inline constexpr ErrorNumber kErrIvddst = 118;
inline constexpr ErrorNumber kErrIvdcmb = 119;
inline constexpr ErrorNumber kErrMemtda = 120;
inline constexpr ErrorNumber kErrIvdefc = 121;
inline constexpr ErrorNumber kErrSertdv = 122;
inline constexpr ErrorNumber kErrCityMustBeSpecified = 123;
inline constexpr ErrorNumber kErrCityListBuilt = 124;
inline constexpr ErrorNumber kErrTariffMustBeSpecified = 125;
inline constexpr ErrorNumber kErrTariffListBuilt = 126;
inline constexpr ErrorNumber kErrCandidateListWrite = 129;
inline constexpr ErrorNumber kErrOpntdv = 130;
inline constexpr ErrorNumber kErrRedtdv = 131;
inline constexpr ErrorNumber kErrFsearch = 140;
inline constexpr ErrorNumber kErrInvtier = 141;
inline constexpr ErrorNumber kErrInvpkc = 142;
inline constexpr ErrorNumber kErrInvdpc = 143;
inline constexpr ErrorNumber kErrWgtzero = 144;
inline constexpr ErrorNumber kErrSysmax = 145;
inline constexpr ErrorNumber kErrToomany = 199;
inline constexpr ErrorNumber kErrTarnf = 200;
inline constexpr ErrorNumber kErrMemory = 201;
inline constexpr ErrorNumber kErrTyptar = 202;
inline constexpr ErrorNumber kErrEfcopn = 203;
inline constexpr ErrorNumber kErrFacopn = 204;
inline constexpr ErrorNumber kErrZrmopn = 205;
inline constexpr ErrorNumber kErrPntopn = 206;
inline constexpr ErrorNumber kErrIdxopn = 207;
inline constexpr ErrorNumber kErrRteopn = 208;
inline constexpr ErrorNumber kErrEfcred = 209;
inline constexpr ErrorNumber kErrFacred = 210;
inline constexpr ErrorNumber kErrPntred = 212;
inline constexpr ErrorNumber kErrIdxred = 213;
inline constexpr ErrorNumber kErrRtered = 214;
inline constexpr ErrorNumber kErrEfcful = 215;
inline constexpr ErrorNumber kErrBadorg = 216;
inline constexpr ErrorNumber kErrBaddst = 217;
inline constexpr ErrorNumber kErrBadcmb = 218;
inline constexpr ErrorNumber kErrWtpopn = 219;
inline constexpr ErrorNumber kErrExpopn = 220;
inline constexpr ErrorNumber kErrEbsopn = 221;
inline constexpr ErrorNumber kErrEmtopn = 222;
inline constexpr ErrorNumber kErrInvrbn = 223;
inline constexpr ErrorNumber kErrHcy2big = 224;
inline constexpr ErrorNumber kErrMinopn = 225;
inline constexpr ErrorNumber kErrMinred = 226;
inline constexpr ErrorNumber kErrXcpopn = 229;
inline constexpr ErrorNumber kErrLalopn = 230;
inline constexpr ErrorNumber kErrLadopn = 231;
inline constexpr ErrorNumber kErrBadlal = 232;
inline constexpr ErrorNumber kErrBadlad = 233;
inline constexpr ErrorNumber kErrLal2big = 234;
inline constexpr ErrorNumber kErrLahcnt = 235;
inline constexpr ErrorNumber kErrMxbcp = 236;
inline constexpr ErrorNumber kErrTtpopn = 240;
inline constexpr ErrorNumber kErrWeightOverMax = 241;
inline constexpr ErrorNumber kErrRbaopn = 250;
inline constexpr ErrorNumber kErrTrbopn = 260;
inline constexpr ErrorNumber kErrModlib = 261;
inline constexpr ErrorNumber kErrModgpa = 262;
inline constexpr ErrorNumber kErrCfacopn = 270;
inline constexpr ErrorNumber kErrBcpopn = 271;
inline constexpr ErrorNumber kErrBadtno = 272;
inline constexpr ErrorNumber kErrPbasopn = 273;
inline constexpr ErrorNumber kErrPmatopn = 274;
inline constexpr ErrorNumber kErrAdjnf = 275;
inline constexpr ErrorNumber kErrXcpred = 276;
inline constexpr ErrorNumber kErrGblLaOrgBase = 278;
inline constexpr ErrorNumber kErrIvdmod = 370;
inline constexpr ErrorNumber kErrPkgpsc = 371;
inline constexpr ErrorNumber kErrPkgsdc = 372;
inline constexpr ErrorNumber kErrPkglwl = 373;
inline constexpr ErrorNumber kErrSdimer = 374;
inline constexpr ErrorNumber kErrPkgwgt = 375;
inline constexpr ErrorNumber kErrPkgltr = 376;
inline constexpr ErrorNumber kErrPkg150 = 377;
inline constexpr ErrorNumber kErrPkgno = 378;
inline constexpr ErrorNumber kErrPkgcde = 379;
inline constexpr ErrorNumber kErrHdrDetailCountInvalid = 382;
inline constexpr ErrorNumber kErrMxntra = 384;
inline constexpr ErrorNumber kErrMxnzip = 385;
inline constexpr ErrorNumber kErrMxntrf = 386;
inline constexpr ErrorNumber kErrMxmin = 387;
inline constexpr ErrorNumber kErrMxtrnm = 388;
inline constexpr ErrorNumber kErrHdrDetailCountTooHigh = 391;
inline constexpr ErrorNumber kErrPkgver = 392;
inline constexpr ErrorNumber kErrIvdtsd = 394;
inline constexpr ErrorNumber kErrIvdtar = 395;
inline constexpr ErrorNumber kErrIvddte = 396;
inline constexpr ErrorNumber kErrEfcold = 397;
inline constexpr ErrorNumber kErrEfcnew = 398;
inline constexpr ErrorNumber kErrAdjnfa = 399;
inline constexpr ErrorNumber kErrBadcls = 400;
inline constexpr ErrorNumber kErrBadwgt = 500;

// Per-detail errors: a bad class on detail line k is kErrBadcls + k, a zero weight
// kErrBadwgt + k (k from 1).
inline constexpr ErrorNumber kErrServiceGuideUnavailable = 700;
inline constexpr ErrorNumber kErrServiceGuideEntryPoint = 701;

}  // namespace tolv

#endif  // TOLV32DLL_ERRORS_ERROR_NUMBERS_H_
