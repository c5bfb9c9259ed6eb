#pragma once

// Rights of the logged-in user, read from the database at each test so that a
// change by the administrator counts at once. An administrator holds every right;
// nobody logged in holds none.
bool HasLimit(int right);
// The same for one kind of bill.
bool HasBillLimit(int right, int billKind);
