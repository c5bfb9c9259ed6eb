#pragma once

// Whether the logged-in user is an administrator, read from the database at each
// test like the rights, so a user demoted meanwhile no longer counts. Nobody
// logged in is none.
bool IsAdministrator();
