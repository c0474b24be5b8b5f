#pragma once

#include <QString>

namespace orvel
{

class CustomerGridModel;
class Query;
struct LoginContext;

/// Writes the grid's active row to the customer table: an edited row by a parameterised
/// UPDATE of its changed columns keyed by its record number, a new row by an INSERT of
/// the grid's columns with the user's id and the DM mark 1.
class GridRowWriter
{
public:
    GridRowWriter(Query& query, const LoginContext& context);

    /// Writes the active row and marks it saved in the model. Returns false, writing
    /// nothing, when the edited record no longer exists. Throws DbError when the
    /// database refuses the row; the model then keeps the row and its values.
    bool write(CustomerGridModel& model);

private:
    bool update(CustomerGridModel& model);
    void insert(CustomerGridModel& model);

    Query& m_query;
    const LoginContext& m_context;
};

} // namespace orvel
