#pragma once

class KROBaseUnknown;

// Defers the release of objects to the end of the current transaction, so that an object can
// be dropped from inside a call that still uses it. The host ends a transaction after each
// batch of user-interface work (KROEventLoop does so after every pass).
class KROCleaner {
 public:
  // Takes over one reference of `object`, released at the end of the transaction.
  static void DeleteOnTransactionEnd(KROBaseUnknown* object);
  // Releases, in the order given, every object handed over since the last end.
  static void EndTransaction();
};
